#pragma once

#include "core/document/certificatedata.h"

#include <QDate>
#include <QString>

// What the lab's certificates say of the lab, in "orvane.ini", section
// "Laboratorium": its name and address, its accreditation number (a lab
// without one leaves it empty), the certificate's title, its standard (the
// calibrator's serial number, the number of the calibrator's own certificate
// and the day that certificate is valid to; the model is the one chosen in
// the program) and the names "Wykonał" and "Zatwierdził" start with.
//
// A document keeps the standard it was measured with (StandardInUse), so a
// certificate never prints the lab's standard of the day; the lab's name,
// address and title it does print as they are now.
struct LabSettings
{
    QString name;
    QString address;
    QString accreditation;
    QString title = defaultTitle();
    QString standardSerial;
    QString standardCertificate;
    QDate standardValidUntil;
    QString performedBy;
    QString approvedBy;

    static QString defaultTitle() { return QStringLiteral("ŚWIADECTWO SPRAWDZENIA"); }

    static QString filePath();
    // The defaults for what is missing, and for a settings file that is not a
    // regular file.
    static LabSettings load();
    // Nothing is written over a settings file that is not a regular file.
    void save() const;

    // The standard as a run records it, the calibrator being of this model.
    StandardInUse standard(const QString &model) const;

    bool operator==(const LabSettings &) const = default;
};
