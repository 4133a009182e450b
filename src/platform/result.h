#pragma once
// How the file readers and writers report: it worked, or it did not and here
// is the message to show the user. What was read travels separately.
#include <QString>

struct Result {
    bool ok = true;
    QString message;   // empty when ok

    static Result success() { return {}; }
    static Result failure(const QString &message) { return {false, message}; }
    explicit operator bool() const { return ok; }
};
