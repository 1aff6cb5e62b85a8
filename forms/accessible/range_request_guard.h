#pragma once

namespace forms {

// Qt's AT-SPI bridge answers a text's Text.GetRangeExtents by asking for the
// rectangle of every offset between the two it is given, however far they
// lie outside the text: one request over the whole range of offsets keeps
// the program from its events for minutes. Once the bridge is on the
// accessibility bus, this answers that request itself, over the text's own
// characters, and leaves every other to the bridge. Safe to call more than
// once; does nothing where the bridge is not Qt's.
void guardTextRangeRequests();

}  // namespace forms
