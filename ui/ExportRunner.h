// An export running on a worker while the window stays usable: a small tool
// window shows its progress, the time gone and the time left, and cancels it.
// The export drew its copy of the pattern when it was made, so commands that
// change the pattern meanwhile do not touch it.
#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QWidget;
class TImageExport;

class TExportRunner : public QObject {
    Q_OBJECT
public:
    // Told on the GUI thread once an export has ended: error is empty when it
    // wrote its file or was cancelled, the message when it failed.
    using Finished = std::function<void(const QString& path, const std::string& error, bool cancelled)>;

    TExportRunner(QWidget* owner, Finished finished);
    // Cancels a running export and waits for its worker; the old file stays.
    ~TExportRunner() override;

    bool Running() const { return worker_.joinable(); }
    // Starts job, writing path; only while nothing runs.
    void Start(std::unique_ptr<TImageExport> job, const QString& path);
    void Cancel() { cancel_.store(true); }
    // The last whole percentage the export reported.
    int Percent() const { return percent_.load(); }
    // The progress window's texts (tests and screenshots).
    QWidget* ProgressWindow() const { return window_; }
    QString TimesText() const;
    // Waits for the worker and reports its end at once (tests).
    void WaitForEnd();

private:
    void Poll();
    void End();

    QWidget* owner_;
    Finished finished_;
    QWidget* window_ = nullptr; // owned through owner_
    QProgressBar* bar_ = nullptr;
    QLabel* times_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QTimer* timer_ = nullptr;

    std::unique_ptr<TImageExport> job_;
    QString path_;
    std::thread worker_;
    std::atomic<int> percent_{0};
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    std::string error_; // written by the worker before done_
    bool cancelled_ = false;
    std::chrono::steady_clock::time_point started_;
};
