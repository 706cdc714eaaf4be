#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its settings files: "orvane.ini", "orvane2.ini" and
// the calibrator model. All of them live in one folder under the user's config
// directory ($XDG_CONFIG_HOME, normally ~/.config), which tests redirect.
namespace ConfigPaths {

inline const QString SerialSettingsName = QStringLiteral("orvane.ini");
inline const QString RecentFilesName = QStringLiteral("orvane2.ini");
inline const QString ModelName = QStringLiteral("Orvane_Model_Kalibratora.conf");

QString directory();
// Full path of a settings file; the folder is created when missing.
QString file(const QString &name);

// Whether a settings file may be read and written: a regular file, or none
// yet. Anything else is never opened (a FIFO would hold the program before
// its first window) nor written over; the program runs with its defaults.
bool isUsable(const QString &path);
// The settings files that are not, each as "<path>: nie jest zwykłym
// plikiem", for the user to be told at start.
QStringList refusals();

} // namespace ConfigPaths
