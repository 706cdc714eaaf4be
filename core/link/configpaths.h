#pragma once

#include <QString>

// Where the program keeps its settings files: "orvane.ini", "orvane2.ini" and
// the calibrator model. All of them live in one folder under the user's config
// directory ($XDG_CONFIG_HOME, normally ~/.config), which tests redirect.
namespace ConfigPaths {

QString directory();
// Full path of a settings file; the folder is created when missing.
QString file(const QString &name);

} // namespace ConfigPaths
