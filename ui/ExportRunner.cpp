// The worker only reports; the GUI thread polls, so nothing of Qt is touched
// off its thread.
#include "ui/ExportRunner.h"

#include "common/Exceptions.h"
#include "document/ImageExport.h"
#include "imaging/ImagingErrors.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString Duration(double seconds)
{
    const int s = static_cast<int>(seconds + 0.5);
    if (s < 60) return QCoreApplication::translate("TExportRunner", "%1秒").arg(s);
    return QCoreApplication::translate("TExportRunner", "%1分%2秒").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

TExportRunner::TExportRunner(QWidget* owner, Finished finished) : owner_(owner), finished_(std::move(finished))
{
    window_ = new QWidget(owner, Qt::Tool);
    window_->setObjectName(QStringLiteral("frmExportProgress"));
    window_->setWindowTitle(tr("画像を書き出しています"));
    bar_ = new QProgressBar(window_);
    bar_->setRange(0, 100);
    times_ = new QLabel(window_);
    cancelButton_ = new QPushButton(tr("中止"), window_);
    auto* row = new QHBoxLayout;
    row->addWidget(times_, 1);
    row->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(window_);
    layout->addWidget(bar_);
    layout->addLayout(row);
    window_->resize(360, window_->sizeHint().height());
    connect(cancelButton_, &QPushButton::clicked, this, [this] { Cancel(); });
    timer_ = new QTimer(this);
    timer_->setInterval(200);
    connect(timer_, &QTimer::timeout, this, [this] { Poll(); });
}

TExportRunner::~TExportRunner()
{
    Cancel();
    if (worker_.joinable()) worker_.join();
}

void TExportRunner::Start(std::unique_ptr<TImageExport> job, const QString& path)
{
    if (Running()) return;
    job_ = std::move(job);
    path_ = path;
    percent_.store(0);
    cancel_.store(false);
    done_.store(false);
    error_.clear();
    cancelled_ = false;
    started_ = std::chrono::steady_clock::now();
    bar_->setValue(0);
    times_->setText(TimesText());
    window_->show();
    timer_->start();
    const std::string file = path.toStdString();
    worker_ = std::thread([this, file] {
        try {
            job_->Run(file, [this](int percent) {
                percent_.store(percent);
                return !cancel_.load();
            });
        } catch (const ESaveCancelled&) {
            cancelled_ = true;
        } catch (const std::exception& e) {
            error_ = MessageOf(e);
        }
        done_.store(true);
    });
}

QString TExportRunner::TimesText() const
{
    const double gone = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    const int percent = percent_.load();
    QString text = tr("%1%  経過 %2").arg(percent).arg(Duration(gone));
    // Only once enough is done for the rate to mean something.
    if (percent >= 2 && percent < 100) text += tr("  残り 約%1").arg(Duration(gone * (100 - percent) / percent));
    return text;
}

void TExportRunner::Poll()
{
    bar_->setValue(percent_.load());
    times_->setText(TimesText());
    if (done_.load()) End();
}

void TExportRunner::WaitForEnd()
{
    if (worker_.joinable()) worker_.join();
    End();
}

void TExportRunner::End()
{
    if (worker_.joinable()) worker_.join();
    if (!job_) return;
    timer_->stop();
    window_->hide();
    job_.reset();
    if (finished_) finished_(path_, error_, cancelled_);
}
