// SPDX-License-Identifier: MIT
// The assistant window (objectName assistWindow): the organ, the list of nodules with each
// one's score line, the questions of the organ's rule files for the chosen nodule (a combo
// box per single choice, check boxes for several, an edit for numbers and sizes), what is
// still incomplete, and 写入报告. Every answer is scored as it is given; a size or number that
// is not acceptable is refused with the reason and leaves the answer empty, never guessed.
// Not modal; a child of the window; lives until closed or the report is left.
#pragma once
#include <QDialog>

class QComboBox;
class QFormLayout;
class QLabel;
class QListWidget;
class QWidget;
class TAssistRoom;

class TAssistWindow final : public QDialog {
    Q_OBJECT
public:
    TAssistWindow(TAssistRoom& room, QWidget* parent);

private:
    void Rebuild();        // the questions of the session's organ
    void Refresh();        // list, answers of the chosen nodule, messages
    void ShowAnswers();
    void Answer(const QString& key, const QString& text);
    void ChooseOrgan(int index);
    int Current() const;

    TAssistRoom& m_room;
    QComboBox* m_organ = nullptr;
    QListWidget* m_list = nullptr;
    QWidget* m_questions = nullptr;
    QFormLayout* m_form = nullptr;
    QLabel* m_score = nullptr;
    QLabel* m_message = nullptr;
    QString m_builtFor;
    bool m_filling = false;
};
