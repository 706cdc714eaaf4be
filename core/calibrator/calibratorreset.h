#pragma once

class Clock;
class Link;

// "&Kasuj" of the verification window: the calibrator back to its power-on
// state. The link is opened for the one reset frame and closed again,
// however the send ends. Throws ECommsError when the port will not open or
// the frame cannot be written.
void resetCalibrator(Link &link, Clock &clock);
