#pragma once

#include <QString>
#include <stdexcept>

// The error kinds the program names. A handler that lets one escape ends the
// operation under way; the application's general error box shows its text and
// the program goes on running.
class ProgramError : public std::runtime_error
{
public:
    // The message first, as std::runtime_error takes it; the detail is optional.
    // NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
    explicit ProgramError(const QString &message, const QString &detail = {})
        : std::runtime_error(message.toStdString()), m_message(message), m_detail(detail)
    {}

    QString message() const { return m_message; }
    // The operating system's reason or other particulars, shown as the box's
    // detailed text; empty for none.
    QString detail() const { return m_detail; }

private:
    QString m_message;
    QString m_detail;
};

// Failures of the calibrator link.
class ECommsError : public ProgramError
{
public:
    using ProgramError::ProgramError;
};

// A file that cannot be read or written.
class EInOutError : public ProgramError
{
public:
    using ProgramError::ProgramError;
};

// A text that is not the number it should be.
class EConvertError : public ProgramError
{
public:
    using ProgramError::ProgramError;
};

// A value too large for the format it is stored in.
class EOverflowError : public ProgramError
{
public:
    using ProgramError::ProgramError;
};
