#include "formmaker/formfile.h"
#include "formmaker/formhtml.h"
#include "platform/fileio.h"
#include "platform/windows1252.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

namespace formmaker {

namespace {

// Header offsets.
constexpr int FormNameAt = 0, MethodAt = 51, ActionAt = 62, OnSubmitAt = 263;
constexpr int SubmitOnAt = 464, ResetOnAt = 465, SubmitValueAt = 466, ResetValueAt = 517;
constexpr int LastIndexAt = 568;
// Element record offsets.
constexpr int PreTextAt = 0, PostTextAt = 256, TypeAt = 512, SizeAt = 524, MaxAt = 528;
constexpr int NameAt = 532, ValueAt = 783, CheckedAt = 1034, OnEventAt = 1037;
constexpr int TypeCapacity = 11;
// Option record offsets.
constexpr int TextsAt = 4, ValuesAt = 565, SelectedAt = 1126;

class Writer {
public:
    explicit Writer(char *base) : base_(base) {}
    void text(int at, int capacity, const QString &s)
    {
        const QByteArray b = toWindows1252(s).left(capacity);
        base_[at] = char(b.size());
        memcpy(base_ + at + 1, b.constData(), size_t(b.size()));
    }
    void integer(int at, qint32 v) { qToLittleEndian<qint32>(v, base_ + at); }
    void flag(int at, bool v) { base_[at] = v ? 1 : 0; }

private:
    char *base_;
};

class Reader {
public:
    explicit Reader(const char *base) : base_(base) {}
    // A length byte beyond the capacity is taken as the capacity.
    QString text(int at, int capacity) const
    {
        const int len = qMin(int(uchar(base_[at])), capacity);
        return fromWindows1252(QByteArray(base_ + at + 1, len));
    }
    qint32 integer(int at) const { return qFromLittleEndian<qint32>(base_ + at); }
    bool flag(int at) const { return base_[at] != 0; }

private:
    const char *base_;
};

} // namespace

QByteArray toWindows1252(const QString &text)
{
    return cp1252::encodeLossy(text);
}

QString fromWindows1252(const QByteArray &bytes)
{
    return cp1252::decode(bytes);
}

QByteArray encodeFormFile(const FormFileData &data)
{
    const int last = qBound(-1, data.LastIndex, MaxElements - 1);
    QByteArray bytes(HeaderBytes + (last + 1) * ElementPairBytes, '\0');
    Writer h(bytes.data());
    const FormSettings &s = data.settings;
    h.text(FormNameAt, 50, s.FormName);
    h.text(MethodAt, 10, s.Method);
    h.text(ActionAt, 200, s.Action);
    h.text(OnSubmitAt, 200, s.OnSubmit);
    h.flag(SubmitOnAt, s.SubmitOn);
    h.flag(ResetOnAt, s.ResetOn);
    h.text(SubmitValueAt, 50, s.SubmitValue);
    h.text(ResetValueAt, 50, s.ResetValue);
    h.integer(LastIndexAt, last);

    for (int i = 0; i <= last; ++i) {
        char *base = bytes.data() + HeaderBytes + i * ElementPairBytes;
        const TFormElement &e = data.Elements[i];
        Writer w(base);
        w.text(PreTextAt, PreTextCapacity, e.PreText);
        w.text(PostTextAt, PostTextCapacity, e.PostText);
        w.text(TypeAt, TypeCapacity, e.ElementType);
        w.integer(SizeAt, e.Size);
        w.integer(MaxAt, e.Max);
        w.text(NameAt, NameCapacity, e.Name);
        w.text(ValueAt, ValueCapacity, e.Value);
        w.text(CheckedAt, CheckedCapacity, e.Checked);
        w.text(OnEventAt, OnEventCapacity, e.OnEvent);

        const TElementOptions &o = data.ElementOptions[i];
        Writer ow(base + ElementRecordBytes);
        ow.integer(0, o.RowCount);
        for (int k = 0; k < OptionEntries; ++k) {
            ow.text(TextsAt + 51 * k, OptionCapacity, o.OptionText[k]);
            ow.text(ValuesAt + 51 * k, OptionCapacity, o.OptionValue[k]);
            ow.text(SelectedAt + 2 * k, SelectedCapacity, o.OptionSelected[k]);
        }
    }
    return bytes;
}

Result decodeFormFile(const QByteArray &bytes, FormFileData &data)
{
    if (bytes.size() < HeaderBytes) {
        return Result::failure(QStringLiteral("the file is shorter than a form file's header"));
    }
    const Reader h(bytes.constData());
    const qint32 last = h.integer(LastIndexAt);
    if (last < -1 || last > MaxElements - 1) {
        return Result::failure(QStringLiteral("it announces %1 elements, but a form holds at most 51")
                    .arg(qint64(last) + 1));
    }
    if (bytes.size() < HeaderBytes + qint64(last + 1) * ElementPairBytes) {
        return Result::failure(QStringLiteral("the file is shorter than its header announces"));
    }

    FormFileData out;
    FormSettings &s = out.settings;
    s.FormName = h.text(FormNameAt, 50);
    s.Method = h.text(MethodAt, 10);
    s.Action = h.text(ActionAt, 200);
    s.OnSubmit = h.text(OnSubmitAt, 200);
    s.SubmitOn = h.flag(SubmitOnAt);
    s.ResetOn = h.flag(ResetOnAt);
    s.SubmitValue = h.text(SubmitValueAt, 50);
    s.ResetValue = h.text(ResetValueAt, 50);
    out.LastIndex = last;

    for (int i = 0; i <= last; ++i) {
        const char *base = bytes.constData() + HeaderBytes + i * ElementPairBytes;
        const Reader r(base);
        TFormElement &e = out.Elements[i];
        e.PreText = r.text(PreTextAt, PreTextCapacity);
        e.PostText = r.text(PostTextAt, PostTextCapacity);
        e.ElementType = r.text(TypeAt, TypeCapacity);
        e.Size = r.integer(SizeAt);
        e.Max = r.integer(MaxAt);
        e.Name = r.text(NameAt, NameCapacity);
        e.Value = r.text(ValueAt, ValueCapacity);
        e.Checked = r.text(CheckedAt, CheckedCapacity);
        e.OnEvent = r.text(OnEventAt, OnEventCapacity);

        const Reader o(base + ElementRecordBytes);
        TElementOptions &opts = out.ElementOptions[i];
        opts.RowCount = o.integer(0);
        for (int k = 0; k < OptionEntries; ++k) {
            opts.OptionText[k] = o.text(TextsAt + 51 * k, OptionCapacity);
            opts.OptionValue[k] = o.text(ValuesAt + 51 * k, OptionCapacity);
            opts.OptionSelected[k] = o.text(SelectedAt + 2 * k, SelectedCapacity);
        }
    }
    data = std::move(out);
    return Result::success();
}

Result readFormFile(const QString &path, FormFileData &data)
{
    // Nothing past the largest form is ever needed.
    const fileio::FileRead bytes =
        fileio::readRegularFile(path, HeaderBytes + qint64(MaxElements) * ElementPairBytes, true);
    if (!bytes)
        return Result::failure(QStringLiteral("Cannot open file %1").arg(path));
    if (Result r = decodeFormFile(bytes.value, data); !r)
        return Result::failure(QStringLiteral("Cannot read form file %1: %2").arg(path, r.message));
    return Result::success();
}

Result writeFormFile(const QString &path, const FormFileData &data)
{
    QSaveFile file(path);
    const QByteArray bytes = encodeFormFile(data);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return Result::failure(QStringLiteral("Cannot create file %1").arg(path));
    }
    return Result::success();
}

Result formHtmlFromFile(const QString &path, QString &html)
{
    FormFileData data;
    if (Result r = readFormFile(path, data); !r)
        return r;
    html = buildFormHtml(data.settings, data.Elements, data.ElementOptions, data.LastIndex);
    return Result::success();
}

} // namespace formmaker
