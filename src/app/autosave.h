#pragma once
// The autosave timer and its visible run: every few minutes (as Preferences
// set) the current document is written to its autosave copy while a short
// progress run shows on the main strip.
#include <QElapsedTimer>
#include <QObject>

class CommandHost;
class QLabel;
class QProgressBar;
class QTimer;
class QWidget;
struct MivorSettings;

class Autosave : public QObject {
public:
    Autosave(CommandHost &host, const MivorSettings &settings, QObject *parent);
    // The label and bar at the right of the main strip.
    void makeProgress(QWidget *mainStrip);

    QLabel *autosaveLabel() const { return Label1; }
    QProgressBar *autosaveProgress() const { return ProgressBar1; }
    QTimer *autosaveTimer() const { return Timer1; }
    // How long the visible run lasts, in milliseconds.
    void setAutosaveProgressMs(int ms) { autosaveProgressMs = ms; }

    // Applies AutosaveOn/AutosaveMinutes to the timer: set and started, or stopped.
    void restartAutosaveTimer();
    void stop();
    void Timer1Timer();
    void AutosaveNow();

private:
    void autosaveStep();
    void finishAutosave();

    CommandHost &host_;
    const MivorSettings &settings_;
    QLabel *Label1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *autosaveStep_ = nullptr;   // moves the visible run on
    QElapsedTimer autosaveClock_;      // valid while a run is under way
    int autosaveProgressMs = 500;
    bool autosaveFailing_ = false;     // the last run could not write its copy
};
