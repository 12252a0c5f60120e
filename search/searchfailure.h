#pragma once

#include <QString>

#include <exception>
#include <stdexcept>

// A failure of the full-text search or of its index, as the search window names it: one
// German line, and the technical detail for its tool tip.
struct SearchFailure
{
    QString text;
    QString detail;

    bool isNull() const { return text.isEmpty(); }
    bool operator==(const SearchFailure &) const = default;
};

// The folder for the index file could not be made.
class CacheFolderError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// What a background step of the search raised, named for the user; `indexPath` is the index
// file's path. Any exception gives a failure, an unknown one too.
SearchFailure searchFailure(std::exception_ptr error, const QString &indexPath);
