#pragma once

#include <QString>

#include <sys/types.h>

// What the node behind a path is, looked at before the program opens it.
// Opening a FIFO for reading waits for a writer that may never come, and
// saving over a FIFO, a device or a socket would put a regular file in its
// place; so only regular files are read and replaced.
namespace FileNode {

// The system's text for an errno value, read at once after the failed call.
QString systemError(int error);

// Why a node of this kind is not a regular file.
QString notARegularFile(mode_t mode);

// Whether the path names a regular file or nothing at all; links are
// followed.
bool isRegularOrMissing(const QString &path);

} // namespace FileNode
