#pragma once

#include <QString>

// "Kopie speichern": copies the document's file to `target` through a temporary file beside
// it, which takes the target's name only once complete. Whatever fails, a file of that name
// stays as it was. Returns an empty text on success, otherwise a German message.
QString writeDocumentCopy(const QString &source, const QString &target);
