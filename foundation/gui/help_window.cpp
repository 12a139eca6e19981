#include "foundation/gui/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "foundation/gui/named_resources.h"

namespace {

HelpWindow1* shown = nullptr;

}  // namespace

HelpWindow1::HelpWindow1(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow_helpwnd1"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("ヘルプ"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setOpenExternalLinks(true);
  browser_->document()->setDefaultStyleSheet(QString::fromStdString(NamedText("HELP_CSS")));
  browser_->setFont(GothicFont(14));

  auto* back = new QPushButton(QStringLiteral("戻る"), this);
  auto* forward = new QPushButton(QStringLiteral("進む"), this);
  auto* home = new QPushButton(QStringLiteral("目次"), this);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this,
          [this] { setWindowTitle(QStringLiteral("ヘルプ - ") + browser_->documentTitle()); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addWidget(home);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_);
  resize(640, 480);
}

HelpWindow1::~HelpWindow1() {
  if (shown == this) shown = nullptr;
}

void HelpWindow1::Open(const QString& page) {
  browser_->setSource(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
}

HelpWindow1* HelpWindow1::Show(QWidget* owner, const std::string& page) {
  const QString path = QString::fromUtf8(page.c_str());
  if (!QFileInfo(path).isFile()) {
    Prompter::Current().Message(owner, "Error",
                                "ヘルプファイルが見つかりません\n" + page, PromptIcon::kError,
                                PromptButtons::kOk);
    return nullptr;
  }
  if (shown == nullptr) shown = new HelpWindow1(owner);
  shown->Open(path);
  shown->show();
  shown->raise();
  shown->activateWindow();
  return shown;
}

HelpWindow1* HelpWindow1::Current() { return shown; }
