#include "FormatMenu.h"

#include "CustomSizeDialog.h"
#include "settings/VideoFormats.h"
#include "shell/EditHistory.h"
#include "shell/Startup.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QToolButton>

FormatMenu::FormatMenu(Workspace& ws, EditHistory& history, QWidget* parent)
    : QMenu(tr("F&ormat"), parent), ws_(ws), history_(history) {
    setObjectName("mnuFormat");
    auto* group = new QActionGroup(this);
    const std::span<const VideoFormat> rows = videoFormats();
    for (int i = 0; i < int(rows.size()); ++i) {
        const VideoFormat& f = rows[i];
        const QString shown = QCoreApplication::translate("VideoFormat", f.name);
        auto add = [&](QMenu* menu, const QString& caption, double fps) {
            QAction* a = menu->addAction(caption, this, [this, i, fps] { choose(i, fps); });
            a->setObjectName(QString("fmt %1 %2").arg(f.name, rateText(fps)));
            a->setData(QVariant::fromValue(QPointF(i, fps)));
            a->setCheckable(true);
            group->addAction(a);
        };
        if (f.custom()) {
            addSeparator();
            addAction(tr("&Custom size..."), this, &FormatMenu::chooseCustom)->setObjectName("mnuCustomSize");
        } else if (f.fps > 0) {
            add(this, tr("%1 %2   (%3 x %4)").arg(shown, rateText(f.fps)).arg(f.width).arg(f.height), f.fps);
        } else {
            QMenu* sub = addMenu(tr("%1   (%2 x %3)").arg(shown).arg(f.width).arg(f.height));
            for (double fps : frameRates())
                add(sub, tr("%1 fps").arg(rateText(fps)), fps);
        }
    }
    connect(this, &QMenu::aboutToShow, this, &FormatMenu::showCurrent);
}

QToolButton* FormatMenu::makeButton(QWidget* bar) {
    button_ = new QToolButton(bar);
    button_->setObjectName("btnFormat");
    button_->setMenu(this);
    button_->setPopupMode(QToolButton::InstantPopup);
    button_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button_->setToolTip(tr("Video format: frame size and rate"));
    showCurrent();
    return button_;
}

void FormatMenu::showCurrent() {
    if (button_) button_->setText(formatLabel(ws_.st));
    const VideoFormat& current = currentFormat(ws_.st);
    const int row = int(&current - videoFormats().data());
    for (QAction* a : findChildren<QAction*>()) {
        if (!a->isCheckable()) continue;
        const QPointF d = a->data().toPointF();
        a->setChecked(int(d.x()) == row && d.y() == ws_.st.fps);
    }
}

void FormatMenu::choose(int row, double fps) {
    history_.edit(tr("Video format"), [&] {
        applyVideoFormat(ws_, videoFormats()[row], fps);
        followNewProjectLook(ws_.st);
    });
    showCurrent();
}

void FormatMenu::chooseCustom() {
    CustomSizeDialog dialog(ws_.st, parentWidget());
    if (dialog.exec() != QDialog::Accepted) {
        showCurrent();
        return;
    }
    history_.edit(tr("Video format"), [&] {
        applyVideoFormat(ws_, *findVideoFormat(u"Custom"), dialog.fps(), dialog.frameSize().width(),
                         dialog.frameSize().height());
        followNewProjectLook(ws_.st);
    });
    showCurrent();
}
