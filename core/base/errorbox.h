#pragma once

#include <exception>

class Prompts;

// The general error box: shows an error that a handler let escape, with the
// error's text. Communication errors carry the caption "Błąd komunikacji",
// everything else "Błąd".
void showGeneralError(Prompts &prompts, const std::exception &error);
