#include "gui/OptionsDialog.h"

#include <QSignalBlocker>
#include <exception>

#include "app/MainState.h"
#include "app/options/OptionsHandlers.h"
#include "gui/WidgetBinding.h"

namespace tessaly {

OptionsDialog::OptionsDialog(MainState& state, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      state_(state) {
    ui_.setupUi(this);
    OptionsState& o = state.Options;

    // The design-time languages stay until the catalogue is read; the list
    // then holds exactly the catalogue's languages.
    o.LangCB.OnUpdate = [this](const Control& c) {
        const auto& box = static_cast<const ComboBox&>(c);
        const QSignalBlocker block(ui_.LangCB);
        QStringList items;
        for (const std::string& item : box.Items) items << QString::fromStdString(item);
        QStringList shown;
        for (int i = 0; i < ui_.LangCB->count(); ++i) shown << ui_.LangCB->itemText(i);
        if (items != shown) {
            ui_.LangCB->clear();
            ui_.LangCB->addItems(items);
        }
        ui_.LangCB->setCurrentIndex(box.ItemIndex);
    };
    connect(ui_.LangCB, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { Run([this, index] { state_.Options.LangCB.Pick(index); }); });

    BindCheckBox(ui_.CheckBox1, o.CheckBox1);
    BindCheckBox(ui_.CheckBox2, o.CheckBox2);
    BindRadio(ui_.RadioButton1, o.RadioButton1);
    BindRadio(ui_.RadioButton2, o.RadioButton2);
    BindRadio(ui_.RadioButton3, o.RadioButton3);
    BindRadio(ui_.RadioButton4, o.RadioButton4);
    BindRadio(ui_.RadioButton5, o.RadioButton5);
    BindRadio(ui_.LookClassicRB, o.LookClassicRB);
    BindRadio(ui_.LookStudioRB, o.LookStudioRB);
    o.Label6.OnUpdate = [this](const Control& c) {
        ui_.Label6->setText(QString::fromStdString(c.Caption));
    };

    connect(ui_.BitBtn1, &QPushButton::clicked, this,
            [this] { Run([this] { OptionsBitBtn1Click(state_); }); });
    connect(ui_.DefSwitch, &QPushButton::clicked, this,
            [this] { Run([this] { OptionsDefSwitchClick(state_); }); });
    connect(ui_.BitBtn3, &QPushButton::clicked, this,
            [this] { Run([this] { OptionsBitBtn3Click(state_); }); });
    connect(ui_.BitBtn2, &QPushButton::clicked, this, [this] {
        Run([this] { OptionsBitBtn2Click(state_); });
        accept();
    });
}

void OptionsDialog::BindRadio(QAbstractButton* widget, RadioButton& control) {
    {
        const QSignalBlocker block(widget);
        widget->setChecked(control.Checked);
    }
    control.OnUpdate = [widget](const Control& c) {
        const auto& radio = static_cast<const RadioButton&>(c);
        // The group's other buttons follow on their own state's update.
        const bool exclusive = widget->autoExclusive();
        const QSignalBlocker block(widget);
        widget->setAutoExclusive(false);
        widget->setChecked(radio.Checked);
        widget->setAutoExclusive(exclusive);
    };
    // Only a user's click checks a button; the state unchecks the others.
    connect(widget, &QAbstractButton::clicked, this,
            [this, &control] { Run([&control] { control.SetChecked(true); }); });
}

void OptionsDialog::Run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        state_.Port().ShowMessage(MessageKind::Error, e.what(), "", MessageButtons::Ok);
    }
}

void OptionsDialog::ShowModal() {
    try {
        OptionsFormShow(state_);
    } catch (const std::exception& e) {
        state_.Port().ShowMessage(MessageKind::Error, e.what(), "", MessageButtons::Ok);
        return;
    }
    if (PaintTimer) PaintTimer(true);
    exec();
    if (PaintTimer) PaintTimer(false);
}

}  // namespace tessaly
