#pragma once
// Runs a blocking network call off the GUI thread while the window keeps
// painting and answering. A progress box with Cancel appears when the call
// takes longer than a moment; Cancel stops the transfer in the client.
#include <QString>
#include <functional>

class QWidget;

namespace transfer {

class InternetClient;

// Runs `work` on a worker thread and returns when it has finished. Events
// are processed meanwhile; input to other windows is blocked by the modal
// progress box once it shows.
void runInBackground(QWidget *parent, const QString &label, InternetClient &client,
                     const std::function<void()> &work);

// How long a call runs before its progress box shows, in milliseconds.
extern int progressDelayMs;

} // namespace transfer
