// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "RepeatField.h"

#include "DateFormatter.h"
#include "MenuPicker.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QSpinBox>

namespace {

using Frequency = RepeatChoice::Frequency;

enum class End { never, until, count };

int valueOf(Frequency frequency)
{
    return static_cast<int>(frequency);
}

} // namespace

RepeatField::RepeatField(QWidget *parent, Label label)
    : QWidget(parent), m_frequency(new MenuPicker(this)), m_interval(new QSpinBox(this)),
      m_unit(new MenuPicker(this)), m_end(new MenuPicker(this)), m_until(new QDateEdit(this)),
      m_count(new QSpinBox(this)), m_times(new QLabel(tr("times"), this))
{
    m_frequency->setAccessibleName(tr("Repeat"));
    m_frequency->addItem(tr("Never"), valueOf(Frequency::never));
    m_frequency->addItem(tr("Every Day"), valueOf(Frequency::daily));
    m_frequency->addItem(tr("Every Weekday"), valueOf(Frequency::weekdays));
    m_frequency->addItem(tr("Every Week"), valueOf(Frequency::weekly));
    m_frequency->addItem(tr("Every Month"), valueOf(Frequency::monthly));
    m_frequency->addItem(tr("Every Year"), valueOf(Frequency::yearly));
    //: Repeats every so many days, weeks, months or years, chosen beside it
    m_frequency->addItem(tr("Every…"), everyInterval);

    m_interval->setAccessibleName(tr("Repeat every"));
    m_interval->setRange(2, 999);
    m_unit->setAccessibleName(tr("Repeat unit"));
    m_unit->addItem(tr("days"), valueOf(Frequency::daily));
    m_unit->addItem(tr("weeks"), valueOf(Frequency::weekly));
    m_unit->addItem(tr("months"), valueOf(Frequency::monthly));
    m_unit->addItem(tr("years"), valueOf(Frequency::yearly));

    m_end->setAccessibleName(tr("Ends"));
    //: How a repeat ends: it does not
    m_end->addItem(tr("Never Ends"), static_cast<int>(End::never));
    //: How a repeat ends: on a day, chosen beside it
    m_end->addItem(tr("Until"), static_cast<int>(End::until));
    //: How a repeat ends: after a number of times, chosen beside it
    m_end->addItem(tr("After"), static_cast<int>(End::count));
    m_until->setAccessibleName(tr("Last day"));
    m_until->setCalendarPopup(true);
    // The locale of the date texts, with the year in full.
    const QLocale locale(QString::fromLatin1(userTimeLocaleName()));
    m_until->setLocale(locale);
    m_until->setDisplayFormat(
        locale.dateFormat(QLocale::ShortFormat)
            .replace(QRegularExpression(QStringLiteral("\\by+\\b")), QStringLiteral("yyyy")));
    m_count->setAccessibleName(tr("Times"));
    m_count->setRange(1, 999);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *every = new QHBoxLayout;
    every->addWidget(m_frequency);
    every->addWidget(m_interval);
    every->addWidget(m_unit);
    every->addStretch();
    auto *end = new QHBoxLayout;
    end->addWidget(m_end);
    end->addWidget(m_until);
    end->addWidget(m_count);
    end->addWidget(m_times);
    end->addStretch();
    if (label == Label::shown) {
        auto *name = new QLabel(tr("Repeat"), this);
        name->setBuddy(m_frequency);
        layout->addWidget(name, 0, 0);
    }
    layout->addLayout(every, 0, 1);
    layout->addLayout(end, 1, 1);

    connect(m_frequency, &MenuPicker::activated, this, &RepeatField::tellChange);
    connect(m_unit, &MenuPicker::activated, this, &RepeatField::tellChange);
    connect(m_end, &MenuPicker::activated, this, &RepeatField::tellChange);
    connect(m_interval, &QSpinBox::valueChanged, this, &RepeatField::tellChange);
    connect(m_count, &QSpinBox::valueChanged, this, &RepeatField::tellChange);
    connect(m_until, &QDateEdit::dateChanged, this, &RepeatField::tellChange);
    showChoice({});
}

void RepeatField::showChoice(const RepeatChoice &choice, const QString &customRule)
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_interval), QSignalBlocker(m_count),
                                       QSignalBlocker(m_until)};
    const int custom = m_frequency->findData(valueOf(Frequency::custom));
    if (choice.frequency == Frequency::custom) {
        m_customRule = customRule;
        if (custom < 0)
            //: A repeat the form cannot show; its rule is the tooltip
            m_frequency->addItem(tr("Custom"), valueOf(Frequency::custom));
        m_frequency->setItemData(m_frequency->findData(valueOf(Frequency::custom)), customRule,
                                 Qt::ToolTipRole);
    }
    const bool byInterval = choice.interval > 1 && choice.frequency != Frequency::custom;
    m_frequency->showValue(byInterval ? everyInterval : valueOf(choice.frequency));
    m_interval->setValue(std::max(2, choice.interval));
    m_unit->showValue(valueOf(byInterval ? choice.frequency : Frequency::daily));
    const End end = choice.until.isValid() ? End::until
                    : choice.count > 0     ? End::count
                                           : End::never;
    m_end->showValue(static_cast<int>(end));
    m_until->setDate(choice.until.isValid() ? choice.until : QDate::currentDate().addMonths(1));
    m_count->setValue(std::max(1, choice.count));
    showParts();
}

RepeatChoice RepeatField::choice() const
{
    RepeatChoice choice;
    const int frequency = m_frequency->currentData().toInt();
    if (frequency == everyInterval) {
        choice.frequency = static_cast<Frequency>(m_unit->currentData().toInt());
        choice.interval = m_interval->value();
    } else {
        choice.frequency = static_cast<Frequency>(frequency);
    }
    if (choice.frequency == Frequency::never || choice.frequency == Frequency::custom)
        return choice;
    switch (static_cast<End>(m_end->currentData().toInt())) {
    case End::until:
        choice.until = m_until->date();
        break;
    case End::count:
        choice.count = m_count->value();
        break;
    case End::never:
        break;
    }
    return choice;
}

void RepeatField::showParts()
{
    const int frequency = m_frequency->currentData().toInt();
    const bool repeats =
        frequency != valueOf(Frequency::never) && frequency != valueOf(Frequency::custom);
    const auto end = static_cast<End>(m_end->currentData().toInt());
    m_frequency->setToolTip(frequency == valueOf(Frequency::custom) ? m_customRule : QString());
    m_interval->setVisible(frequency == everyInterval);
    m_unit->setVisible(frequency == everyInterval);
    m_end->setVisible(repeats);
    m_until->setVisible(repeats && end == End::until);
    m_count->setVisible(repeats && end == End::count);
    m_times->setVisible(repeats && end == End::count);
}

void RepeatField::tellChange()
{
    showParts();
    emit choiceChanged(choice());
}
