#include "widgets/spinfield.h"

#include <QLineEdit>

#include <algorithm>

namespace {
// The widget's own range only bounds what can be typed; our range is kept
// apart so an out-of-range number can stand in the field until it is left.
constexpr int TypedLimit = 999999999;
}

SpinField::SpinField(QWidget *parent)
    : QSpinBox(parent)
{
    QSpinBox::setRange(-TypedLimit, TypedLimit);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
}

void SpinField::setLimits(int min, int max)
{
    min_ = min;
    max_ = max;
}

int SpinField::clamp(int value) const
{
    return hasRange() ? std::clamp(value, min_, max_) : value;
}

int SpinField::fieldValue() const
{
    bool ok = false;
    const int v = lineEdit()->text().trimmed().toInt(&ok);
    return ok ? v : min_;
}

void SpinField::setFieldValue(int value)
{
    setValue(value);
    lineEdit()->setText(QString::number(value));
}

void SpinField::stepBy(int steps)
{
    setFieldValue(clamp(fieldValue() + steps));
    selectAll();
}

QValidator::State SpinField::validate(QString &input, int &) const
{
    const QString t = input.trimmed();
    if (t.isEmpty() || t == QLatin1String("-"))
        return QValidator::Intermediate;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok || v < -TypedLimit || v > TypedLimit)
        return QValidator::Invalid;
    return QValidator::Acceptable;
}

void SpinField::fixup(QString &input) const
{
    bool ok = false;
    const int v = input.trimmed().toInt(&ok);
    input = QString::number(clamp(ok ? v : min_));
}

QAbstractSpinBox::StepEnabled SpinField::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

void SpinField::focusOutEvent(QFocusEvent *event)
{
    const int v = clamp(fieldValue());
    QSpinBox::focusOutEvent(event);
    setFieldValue(v);
}
