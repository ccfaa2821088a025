#pragma once
// Modal showing goes through here so that tests can open a window without blocking.

class QDialog;

namespace nutrient {

// exec() in the program; in tests (after setModalShowingForTests(true)) a non-blocking
// modal show(), so the test can look at the window and close it.
void showModal(QDialog& dialog);
void setModalShowingForTests(bool nonBlocking);

}  // namespace nutrient
