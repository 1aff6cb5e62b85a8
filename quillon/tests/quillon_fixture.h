#pragma once

#include "form_test.h"
#include "quillon_form.h"

#include <QApplication>
#include <QClipboard>

namespace quillon_testing {

using namespace std::chrono;

// A started Quillon window whose clock reads 15/11/2023.
class QuillonTest : public testing_support::FormTest<quillon::QuillonForm> {
protected:
    QuillonTest() : FormTest(core::makeDate(2023, 11, 15)) {}
};

}  // namespace quillon_testing
