#pragma once

#include <exception>
#include <utility>

class Prompts;

// The general error box: shows an error that a handler let escape, with the
// error's text. Communication errors carry the caption "Błąd komunikacji",
// everything else "Błąd".
void showGeneralError(Prompts &prompts, const std::exception &error);

// Runs what a window's handler started and ends whatever error escapes it
// in the general error box. The operation stops where the error occurred;
// nothing goes on into Qt's event loop, which cannot carry an exception.
template <typename Operation> void guarded(Prompts &prompts, Operation &&operation)
{
    try {
        std::forward<Operation>(operation)();
    } catch (const std::exception &error) {
        showGeneralError(prompts, error);
    }
}
