// The status bar and the autosave label show their texts whole.
#include "mainwindowtestbase.h"

#include <QLabel>
#include <QProgressBar>

TEST_F(MainWindowTest, CaretPanelAndAutosaveLabelShowTheirWholeText)
{
    w->New1Click();
    QString text;
    for (int i = 0; i < 3400; ++i)
        text += QStringLiteral("x\r\n");
    memo().setText(text);
    memo().setSelStart(int(text.size()) - 3);
    w->currentDocument()->Memo1MouseUp();
    const QLabel *panel = w->statusPanel(0);
    const QString shown = w->statusText(0);
    EXPECT_EQ(shown, QStringLiteral(" col=0: row=3399"));
    EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(shown));
    // A short position keeps the panel's own width.
    memo().setSelStart(0);
    w->currentDocument()->Memo1MouseUp();
    EXPECT_EQ(panel->width(), 130);

    // A longer position than any real one still fits.
    w->showCaretPosition(QStringLiteral(" col=123456: row=1234567890"));
    EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(w->statusText(0)));

    const QLabel *label = w->autosaveLabel();
    EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text()));
    EXPECT_GE(label->contentsRect().height(), label->fontMetrics().height());
    // It still ends just before the progress bar.
    EXPECT_LT(label->geometry().right(), w->autosaveProgress()->geometry().left());
    EXPECT_GE(label->geometry().right() + 2, w->autosaveProgress()->geometry().left());
}
