#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Shared by the fuzz targets: outside text arrives as raw bytes.
namespace FuzzSupport {

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, size_t(1) << 24)));
}

inline QString text(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(bytes(data, size));
}

// The parsers log what they read; a fuzz run prints only its findings.
inline void silenceMessages()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// A broken promise of the code under test is a finding like a crash.
[[noreturn]] inline void fail(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "broken: %s %s\n", what, detail.toUtf8().toPercentEncoding(" ()[]<>:.,=/").constData());
    std::abort();
}

} // namespace FuzzSupport
