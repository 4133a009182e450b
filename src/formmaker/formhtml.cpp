#include "formmaker/formhtml.h"

#include <QSaveFile>

namespace formmaker {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// ` NAME="value"` when the value is not empty, nothing otherwise.
QString attr(const char *name, const QString &value)
{
    if (value.isEmpty())
        return {};
    return QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + value
        + QLatin1Char('"');
}

QString numAttr(const char *name, qint32 value)
{
    return value > 0 ? attr(name, QString::number(value)) : QString();
}

QString button(const char *type, const QString &caption)
{
    QString s = QStringLiteral(" <INPUT TYPE=\"") + QLatin1String(type) + QLatin1Char('"');
    if (!caption.isEmpty())
        s += QStringLiteral(" VALUE=\"") + caption + QStringLiteral("\" >") + CrLf;
    else
        s += QStringLiteral(" >") + CrLf;
    return s;
}

} // namespace

QString formHead(const FormSettings &s)
{
    return QStringLiteral("<FORM NAME=\"") + s.FormName + QStringLiteral("\" METHOD=\"") + s.Method
        + QStringLiteral("\" ACTION=\"") + s.Action + QStringLiteral("\" onsubmit=\"") + s.OnSubmit
        + QStringLiteral("\" >") + CrLf;
}

QString formTail(const FormSettings &s)
{
    QString tail;
    if (s.SubmitOn)
        tail += button("submit", s.SubmitValue);
    if (s.ResetOn)
        tail += button("reset", s.ResetValue);
    tail += QStringLiteral("</FORM>");
    return tail;
}

QString ElementHtml(const TFormElement &e, const TElementOptions &o)
{
    const QString endElement = CrLf + QStringLiteral("<BR><BR>");
    if (e.ElementType == QLatin1String("textarea")) {
        return e.PreText + QStringLiteral("<BR>") + CrLf + QStringLiteral("<TEXTAREA")
            + attr("NAME", e.Name) + attr("VALUE", e.Value) + numAttr("COLS", e.Size)
            + numAttr("ROWS", e.Max) + QStringLiteral(" >") + e.PostText + CrLf
            + QStringLiteral("</TEXTAREA>") + endElement;
    }
    if (e.ElementType == QLatin1String("select")) {
        QString s = e.PreText + QStringLiteral("<BR>") + CrLf + QStringLiteral("<SELECT")
            + attr("NAME", e.Name) + numAttr("SIZE", e.Size) + attr("onChange", e.OnEvent)
            + QStringLiteral(" >") + CrLf;
        // Entries 1 to 10 exist, whatever row count a file announces.
        const int last = qMin<qint32>(o.RowCount - 1, MaxOptions);
        for (int k = 1; k <= last; ++k) {
            const bool selected = o.OptionSelected[k].compare(QLatin1String("Y"),
                                                              Qt::CaseInsensitive) == 0;
            s += QStringLiteral("<OPTION") + attr("VALUE", o.OptionValue[k])
                + (selected ? QStringLiteral(" SELECTED>") : QStringLiteral(">"))
                + o.OptionText[k] + CrLf;
        }
        return s + QStringLiteral("</SELECT>") + e.PostText + endElement;
    }
    const bool typed = !e.ElementType.isEmpty();
    QString s = e.PreText + QLatin1Char(' ');
    if (typed)
        s += QStringLiteral("<INPUT TYPE=\"") + e.ElementType + QLatin1Char('"');
    s += numAttr("SIZE", e.Size) + numAttr("MAXLENGTH", e.Max);
    if (e.Checked == QLatin1String("Y"))
        s += QStringLiteral(" CHECKED");
    s += attr("NAME", e.Name) + attr("VALUE", e.Value) + attr("onClick", e.OnEvent);
    if (typed)
        s += QLatin1Char('>');
    return s + e.PostText + endElement;
}

QString buildFormHtml(const FormSettings &settings, const ElementList &elements,
                      const OptionLists &options, int lastIndex)
{
    QString body;
    for (int i = 0; i <= qMin(lastIndex, MaxElements - 1); ++i)
        body += ElementHtml(elements[i], options[i]);
    return formHead(settings) + body + formTail(settings);
}

QString formPreviewPage(const QString &formText)
{
    const char *const before[] = {
        "<HTML>", "<HEAD>", "<META NAME=\"Generator\" CONTENT=\"Dravenic's Mivor v1.0\" >",
        "<TITLE></TITLE>", "</HEAD>", "<BODY>", "<BR><BR>"};
    const char *const after[] = {"<BR><BR>", "Remember to close this window", "</BODY>",
                                 "</HTML>"};
    QString page;
    for (const char *line : before)
        page += QLatin1String(line) + CrLf;
    page += formText + CrLf;
    for (const char *line : after)
        page += QLatin1String(line) + CrLf;
    return page;
}

Result writeFormPreview(const QString &path, const QString &formText)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(formPreviewPage(formText).toUtf8()) < 0
        || !file.commit())
        return Result::failure(QStringLiteral("Cannot create file %1").arg(path));
    return Result::success();
}

} // namespace formmaker
