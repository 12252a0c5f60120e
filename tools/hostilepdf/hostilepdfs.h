#pragma once

#include <QString>

// PDF files that strain a reader, each valid enough that Poppler opens it. Written object by
// object to the file, so that a large one never lies in memory whole. Every page's text
// begins with "Anfang" on the first page; text-heavy files end with "Schluss" on the last,
// so a reader cut short is seen by what it did not find. All return false when the file
// cannot be written.
namespace HostilePdfs {

// `pages` pages under one flat page tree, all showing the same short line.
[[nodiscard]] bool writeManyPages(const QString &path, int pages);

// Pages full of text, uncompressed, until the file is about `megabytes` large.
[[nodiscard]] bool writeTextHeavy(const QString &path, int megabytes);

// One page whose content stream is Flate-compressed twice and inflates to `megabytes` of
// text-showing operators: a small file with a practically endless stream.
[[nodiscard]] bool writeInflatingPage(const QString &path, int megabytes);

// A page whose resources and content hold arrays and dictionaries nested `depth` deep, and a
// page tree `depth` levels deep above the last page.
[[nodiscard]] bool writeDeepNesting(const QString &path, int depth);

// A content stream whose length is claimed far beyond the end of the file and never closed.
[[nodiscard]] bool writeUnterminatedStream(const QString &path);

} // namespace HostilePdfs
