// SPDX-License-Identifier: MIT
#include "assist/AssistWindow.h"
#include "assist/AssistRoom.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const char* name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

TAssistWindow::TAssistWindow(TAssistRoom& room, QWidget* parent) : QDialog(parent), m_room(room)
{
    setObjectName(QStringLiteral("assistWindow"));
    setWindowTitle(QStringLiteral("结构化报告"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* top = new QVBoxLayout(this);

    auto* head = new QHBoxLayout;
    m_organ = new QComboBox(this);
    m_organ->setObjectName(QStringLiteral("cbxAssistOrgan"));
    for (const QString& organ : room.Library().Organs())
        m_organ->addItem(organ == QLatin1String("thyroid") ? QStringLiteral("甲状腺") : organ == QLatin1String("breast") ? QStringLiteral("乳腺") : organ, organ);
    auto* organLabel = new QLabel(QStringLiteral("部位"), this);
    organLabel->setObjectName(QStringLiteral("lblAssistOrgan"));
    head->addWidget(organLabel);
    head->addWidget(m_organ);
    head->addStretch();
    top->addLayout(head);

    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstAssistNodules"));
    left->addWidget(m_list);
    auto* listButtons = new QHBoxLayout;
    QPushButton* add = Button("btnAssistAdd", QStringLiteral("添加结节"), this);
    QPushButton* remove = Button("btnAssistRemove", QStringLiteral("删除结节"), this);
    listButtons->addWidget(add);
    listButtons->addWidget(remove);
    left->addLayout(listButtons);
    body->addLayout(left, 2);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrAssistQuestions"));
    scroll->setWidgetResizable(true);
    m_questions = new QWidget(scroll);
    m_questions->setObjectName(QStringLiteral("pnlAssistQuestions"));
    m_form = new QFormLayout(m_questions);
    scroll->setWidget(m_questions);
    body->addWidget(scroll, 3);
    top->addLayout(body, 1);

    m_score = new QLabel(this);
    m_score->setObjectName(QStringLiteral("lblAssistScore"));
    m_score->setWordWrap(true);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lblAssistMessage"));
    m_message->setWordWrap(true);
    top->addWidget(m_score);
    top->addWidget(m_message);

    auto* buttons = new QHBoxLayout;
    QPushButton* write = Button("btnAssistWrite", QStringLiteral("写入报告"), this);
    QPushButton* close = Button("btnAssistClose", QStringLiteral("关闭"), this);
    buttons->addStretch();
    buttons->addWidget(write);
    buttons->addWidget(close);
    top->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, [this] {
        QString error;
        if (TAssistSession* s = m_room.Session(); s && s->AddNodule(QString(), &error)) {
            m_room.Touched();
            m_list->setCurrentRow(s->Nodules().size() - 1);
        }
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (TAssistSession* s = m_room.Session(); s && Current() >= 0) {
            s->RemoveNodule(Current());
            m_room.Touched();
        }
    });
    connect(write, &QPushButton::clicked, this, [this] {
        QString error;
        if (!m_room.Write(&error)) m_message->setText(error);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { ShowAnswers(); });
    connect(m_organ, &QComboBox::activated, this, &TAssistWindow::ChooseOrgan);
    connect(&m_room, &TAssistRoom::changed, this, &TAssistWindow::Refresh);
    resize(820, 560);
    Refresh();
}

int TAssistWindow::Current() const
{
    const TAssistSession* s = m_room.Session();
    const int row = m_list->currentRow();
    return s && row >= 0 && row < s->Nodules().size() ? row : -1;
}

void TAssistWindow::ChooseOrgan(int index)
{
    QString error;
    if (!m_room.Start(m_organ->itemData(index).toString(), &error)) m_message->setText(error);
    Refresh();
}

void TAssistWindow::Rebuild()
{
    while (m_form->rowCount() > 0) m_form->removeRow(0);
    const TAssistSession* s = m_room.Session();
    m_builtFor = s ? s->Organ() : QString();
    if (!s) return;
    QStringList seen;
    for (const TAssistRules* rules : s->Systems()) {
        for (const TAssistFeature& f : rules->features) {
            if (seen.contains(f.key)) continue;
            seen << f.key;
            QWidget* field = nullptr;
            if (f.kind == TAssistKind::One) {
                auto* box = new QComboBox(m_questions);
                box->addItem(QString(), QString());
                for (const TAssistOption& o : f.options) box->addItem(o.label, o.id);
                connect(box, &QComboBox::activated, this, [this, box, key = f.key] { Answer(key, box->currentData().toString()); });
                field = box;
            } else if (f.kind == TAssistKind::Many) {
                field = new QWidget(m_questions);
                auto* row = new QHBoxLayout(field);
                row->setContentsMargins(0, 0, 0, 0);
                for (const TAssistOption& o : f.options) {
                    auto* check = new QCheckBox(o.label, field);
                    check->setObjectName(QStringLiteral("chkAssist_%1_%2").arg(f.key, o.id));
                    row->addWidget(check);
                    connect(check, &QCheckBox::clicked, this, [this, field, key = f.key] {
                        QStringList ids;
                        for (auto* c : field->findChildren<QCheckBox*>())
                            if (c->isChecked()) ids << c->objectName().section(QLatin1Char('_'), 2);
                        Answer(key, ids.join(QLatin1Char(',')));
                    });
                }
            } else {
                auto* edit = new QLineEdit(m_questions);
                edit->setPlaceholderText(f.kind == TAssistKind::Size ? QStringLiteral("长×宽×高 %1（如 12x8x7 或 1,2x0,8x0,7cm）").arg(f.unit) : f.unit);
                connect(edit, &QLineEdit::editingFinished, this, [this, edit, key = f.key] { Answer(key, edit->text()); });
                field = edit;
            }
            field->setObjectName(field->objectName().isEmpty() ? QStringLiteral("fldAssist_%1").arg(f.key) : field->objectName());
            auto* label = new QLabel(f.label, m_questions);
            label->setObjectName(QStringLiteral("lblAssist_%1").arg(f.key));
            m_form->addRow(label, field);
        }
    }
}

void TAssistWindow::Answer(const QString& key, const QString& text)
{
    TAssistSession* s = m_room.Session();
    if (m_filling || !s || Current() < 0) return;
    QString error;
    if (text.trimmed().isEmpty()) {
        s->ClearAnswer(Current(), key);
    } else if (!s->SetAnswer(Current(), key, text, &error)) {
        s->ClearAnswer(Current(), key);   // a refused value leaves the question unanswered
        m_room.Touched();
        m_message->setText(error);
        return;
    }
    m_room.Touched();
}

void TAssistWindow::Refresh()
{
    const TAssistSession* s = m_room.Session();
    if (!s) {
        m_list->clear();
        m_message->setText(QStringLiteral("没有打开的报告。"));
        return;
    }
    if (s->Organ() != m_builtFor) Rebuild();
    m_organ->setCurrentIndex(m_organ->findData(s->Organ()));
    const int keep = m_list->currentRow();
    const QSignalBlocker block(m_list);
    m_list->clear();
    const QStringList lines = s->ScoreLines();
    for (int i = 0; i < lines.size(); ++i) m_list->addItem(QStringLiteral("结节%1：%2").arg(i + 1).arg(lines[i].section(QStringLiteral(": "), 1)));
    m_list->setCurrentRow(qMin(keep < 0 ? 0 : keep, m_list->count() - 1));
    const QStringList problems = s->Problems();
    m_message->setText(problems.isEmpty() ? QString() : problems.join(QLatin1Char('\n')));
    ShowAnswers();
}

void TAssistWindow::ShowAnswers()
{
    const TAssistSession* s = m_room.Session();
    const int i = Current();
    m_questions->setEnabled(i >= 0);
    m_filling = true;
    const TAssistNodule none;
    const TAssistNodule& n = i >= 0 ? s->Nodules()[i] : none;
    for (auto* box : m_questions->findChildren<QComboBox*>())
        box->setCurrentIndex(qMax(0, box->findData(n.value(box->objectName().section(QLatin1Char('_'), 1)))));
    for (auto* edit : m_questions->findChildren<QLineEdit*>()) {
        const QString key = edit->objectName().section(QLatin1Char('_'), 1);
        edit->setText(n.value(key));
    }
    for (auto* check : m_questions->findChildren<QCheckBox*>())
        check->setChecked(n.value(check->objectName().section(QLatin1Char('_'), 1, 1)).split(QLatin1Char(',')).contains(check->objectName().section(QLatin1Char('_'), 2)));
    m_filling = false;
    m_score->setText(i >= 0 ? s->ScoreLines().value(i).section(QStringLiteral(": "), 1) : QString());
}
