#pragma once

namespace forms {

// Makes screen readers read a text box through the runtime's own text
// interface, which answers every text query at once, whatever the boundary
// and offset. Safe to call more than once.
void installBoxAccessibility();

}  // namespace forms
