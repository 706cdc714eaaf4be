#pragma once

// The two characteristics of a verification: the amplitude one, measured
// in ZakresyAmpl, and the frequency one, in the frequency array of the
// document's method.
enum class Characteristic { Amplitude, Frequency };
