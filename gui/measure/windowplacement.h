#pragma once

class QWidget;

// Moves the verification window and a measurement dialog that is being shown
// as DialogPlacement says. Without a verification window the dialog is only
// centred the first time.
void placeMeasurementDialog(QWidget *dialog, QWidget *verificationWindow, bool placed);

// Centres a top-level window on the screen it is on.
void centreOnDesktop(QWidget *window);
