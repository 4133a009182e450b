#pragma once
// How the file readers and writers report: it worked, or it did not and here
// is the message to show the user. A routine that also gives back what it
// read or made returns ResultOf<T>, which carries that value beside.
#include <QString>

#include <utility>

struct Result {
    bool ok = true;
    QString message;   // empty when ok

    static Result success() { return {}; }
    static Result failure(const QString &message) { return {false, message}; }
    explicit operator bool() const { return ok; }
};

// A Result with the value made on success. On failure `value` is what the
// caller should go on with (T's default unless the routine names another).
template <class T>
struct ResultOf : Result {
    T value{};

    static ResultOf success(T value)
    {
        ResultOf r;
        r.value = std::move(value);
        return r;
    }
    static ResultOf failure(const QString &message, T value = T{})
    {
        ResultOf r;
        r.ok = false;
        r.message = message;
        r.value = std::move(value);
        return r;
    }
};
