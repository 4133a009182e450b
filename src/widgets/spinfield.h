#pragma once
// A number field with arrows whose value is what stands in the field. A
// number typed outside the range stays as typed until the field is left;
// leaving it, or the arrows, bring it into the range. A field without a
// number reads as the minimum. With min equal to max there is no range.
#include <QSpinBox>

class SpinField : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinField(QWidget *parent = nullptr);

    void setLimits(int min, int max);
    int maximumLimit() const { return max_; }
    bool hasRange() const { return min_ != max_; }

    // The number standing in the field, or the minimum when there is none.
    int fieldValue() const;
    // Puts a number into the field as it is, without bringing it into range.
    void setFieldValue(int value);

    void stepBy(int steps) override;

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int clamp(int value) const;
    int min_ = 0;
    int max_ = 0;
};
