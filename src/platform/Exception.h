// SPDX-License-Identifier: MIT
// The error types every layer throws. Each carries a human-readable QString message,
// which catch-all handlers log verbatim after "异常:".
#pragma once
#include "PlatformExport.h"
#include <QString>
#include <exception>

class WR_PLATFORM_EXPORT Exception : public std::exception {
public:
    explicit Exception(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A host object queried for an interface it does not implement.
class WR_PLATFORM_EXPORT EIntfCastError : public Exception {
public:
    using Exception::Exception;
};

// A text that does not convert to the number, colour or date asked for.
class WR_PLATFORM_EXPORT EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Any failure of the database layer: connection, statement, missing column or parameter.
class WR_PLATFORM_EXPORT EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

// File-system and INI-file failures.
class WR_PLATFORM_EXPORT EFileError : public Exception {
public:
    using Exception::Exception;
};

// A class name the registry does not know.
class WR_PLATFORM_EXPORT EClassNotFound : public Exception {
public:
    using Exception::Exception;
};
