#pragma once
// Files the program saved, read back: their bytes, and a PDF's pages, page size and text
// through poppler's pdfinfo and pdftotext; and what may stand in the way of a save.

#include "file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

#include <functional>

inline QByteArray fileBytes(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeFileBytes(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What a poppler tool prints, or a mark of its failure.
inline QString popplerOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return QStringLiteral("<%1 failed>").arg(tool);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A field of pdfinfo's report, such as "Pages" or "Page size".
inline QString pdfInfo(const QString& pdf, const QString& field) {
    const QRegularExpression line(QStringLiteral("^%1:\\s+(.*)$").arg(field), QRegularExpression::MultilineOption);
    return line.match(popplerOutput(QStringLiteral("pdfinfo"), {pdf})).captured(1).trimmed();
}

inline int pdfPageCount(const QString& pdf) { return pdfInfo(pdf, QStringLiteral("Pages")).toInt(); }

// The text of the pages with runs of blanks made one, so that a phrase is found however the
// layout spaced it.
inline QString pdfText(const QString& pdf) {
    return popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
        .simplified();
}

// What stands where a file is saved: nothing, a folder of that name, or an older file on a
// medium that fills up before the new one is written.
enum class Obstacle { None, Folder, FullMedium };
Q_DECLARE_METATYPE(Obstacle)

inline const QByteArray kOldBytes = "old";

// Puts the obstacle in place of the file, then saves it.
inline bool saveAgainst(Obstacle obstacle, const QString& name, const std::function<void()>& save) {
    if (obstacle == Obstacle::Folder && !QDir().mkdir(name)) return false;
    if (obstacle == Obstacle::FullMedium) {
        if (!writeFileBytes(name, kOldBytes)) return false;
        FileSizeLimit limit(100);
        save();
        return true;
    }
    save();
    return true;
}

// After a failed save the folder holds what it held before, and nothing besides.
inline bool leftAsItWas(Obstacle obstacle, const QString& name) {
    const QFileInfo target(name);
    const QStringList entries = target.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    if (entries != QStringList{target.fileName()}) return false;
    return obstacle == Obstacle::Folder ? target.isDir() : fileBytes(name) == kOldBytes;
}
