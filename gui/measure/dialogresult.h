#pragma once

#include <QDialog>

// The results of the measurement dialogs, as Prompts::exec returns them.
namespace DialogResult {

// "&OK": the point is measured; read the dialog's value.
constexpr int Ok = QDialog::Accepted;
// The window's close box (or Esc) of an exact-setting dialog, and
// "&Anuluj" of the procedure chooser.
constexpr int Closed = QDialog::Rejected;
// "&Przerwij pomiary"; the exact-reading dialogs answer their close box with
// it too.
constexpr int Przerwij = 2;
// A frame could not be sent or a text could not be read while the dialog was
// up; rethrowFailure() raises the error.
constexpr int Failed = 3;

} // namespace DialogResult
