#pragma once

#include <QPoint>
#include <QSize>

// Where the main window puts its picture and its five buttons for a given
// window size: the picture stays centred and the buttons ride on it.
struct MainWindowLayout
{
    static constexpr int MinimumWidth = 640;
    static constexpr int MinimumHeight = 480;
    static constexpr int PictureWidth = 632;
    static constexpr int PictureHeight = 433;
    static constexpr int StatusBarHeight = 20;

    QSize size;           // the accepted window size
    QPoint picture;       // top-left of the picture
    int leftButtonsLeft;  // Button_WyborKal, Button_SterowanieKal, Button_SprawdzanieMier
    int rightButtonsLeft; // Button_Oprogramie, Button_Koniec
    int wyborKalTop;
    int sterowanieKalTop;
    int sprawdzanieMierTop;
    int oprogramieTop;
    int koniecTop;

    // proposed: the size asked for; clientHeight: the height of the client
    // area as it is now, which decides the picture's top.
    static MainWindowLayout compute(const QSize &proposed, int clientHeight);
};

// Rounds to the nearest integer, halves to the even neighbour.
int roundHalfToEven(double value);
