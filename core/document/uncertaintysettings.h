#pragma once

#include "core/document/documentextension.h"

#include <QString>

// The lab's choice for the documents it starts: the decision rule and the
// minimum accuracy ratio, in "orvane.ini", section "Niepewnosc", keys
// "Regula" (simple, guard_band or four_zone) and "MinTUR" (a number). A new
// document takes them as its own; a document never follows them later, and
// a file that does not name a rule is simple acceptance whatever they say.
struct UncertaintySettings
{
    DecisionRule rule = DecisionRule::Simple;
    long double minTur = DocumentExtension::DefaultMinTur;

    static QString filePath();
    // The built-in defaults for what is missing, does not read, or a
    // settings file that is not a regular file.
    static UncertaintySettings load();
    // Nothing is written over a settings file that is not a regular file.
    void save() const;

    // The extension data a new document starts with.
    DocumentExtension newDocumentExtension() const;

    bool operator==(const UncertaintySettings &) const = default;
};
