#pragma once

// What the window tests add to the test services.
namespace WindowTesting {

// Lets ScriptedPrompts tell the dialogs a window runs apart by their object
// names. Called once, before the tests start.
void setUp();

} // namespace WindowTesting
