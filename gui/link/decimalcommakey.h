#pragma once

class QWidget;

// The numeric keypad's decimal key types ',' in the field, whatever the
// keyboard layout gives it: numbers are typed with a decimal comma
// everywhere in the program, and a '.' from the keypad would not read.
void typeDecimalCommaFromKeypad(QWidget *field);
