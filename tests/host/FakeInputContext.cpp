// SPDX-License-Identifier: MIT
// A platform input context for the typing tests (QT_IM_MODULE=wrfakeim), standing in for the
// Qt front ends of real input-method daemons, whose behaviours differ where it matters:
//   "commit-on-commit"  commit() commits the chosen candidate, reset() forgets the word; a
//                       word hidden by Esc is still committed when the focus moves (ibus);
//   "commit-on-reset"   commit() does nothing, reset() and a focus change commit the letters
//                       shown (fcitx5);
//   "drop"              commit() and reset() drop the word without committing it;
//   "none"              commit() and reset() do nothing at all (no input method).
// The test reaches it through the application property "wrFakeInputContext" and drives it
// with Compose(shown, candidate) and Cancel(), as keys typed into a daemon would.
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QPointer>
#include <QVariant>
#include <qpa/qplatforminputcontext.h>
#include <qpa/qplatforminputcontextplugin_p.h>

class TFakeInputContext final : public QPlatformInputContext {
    Q_OBJECT
    Q_PROPERTY(QString mode MEMBER m_mode)
    Q_PROPERTY(QString committed MEMBER m_committed)  // everything committed so far

public:
    bool isValid() const override { return true; }

    Q_INVOKABLE void Compose(const QString& shown, const QString& candidate)
    {
        m_shown = shown;
        m_candidate = candidate;
        m_hidden = false;
        Send(shown, {});
    }

    // Esc: the word disappears. The ibus-like front end keeps it for a later commit.
    Q_INVOKABLE void Cancel()
    {
        Send({}, {});
        if (m_mode == QLatin1String("commit-on-commit")) m_hidden = true;
        else Forget();
    }

    void commit() override
    {
        if (m_mode == QLatin1String("commit-on-commit")) CommitWord(m_candidate);
        else if (m_mode == QLatin1String("drop")) DropWord();
    }

    void reset() override
    {
        if (m_mode == QLatin1String("commit-on-reset")) CommitWord(m_shown);
        else if (m_mode == QLatin1String("drop")) DropWord();
        else if (m_mode == QLatin1String("commit-on-commit")) Forget();
    }

    void setFocusObject(QObject* object) override
    {
        if (object == m_focus) return;
        if (m_mode == QLatin1String("commit-on-commit")) CommitWord(m_candidate);
        else if (m_mode == QLatin1String("commit-on-reset")) CommitWord(m_shown);
        m_focus = object;
    }

private:
    void Send(const QString& preedit, const QString& commit)
    {
        if (!m_focus) return;
        QInputMethodEvent e(preedit, {});
        e.setCommitString(commit);
        QCoreApplication::sendEvent(m_focus, &e);
    }
    void CommitWord(const QString& word)
    {
        if (m_shown.isEmpty()) return;
        const QString text = word;
        Forget();
        m_committed += text;
        Send({}, text);
    }
    void DropWord()
    {
        if (m_shown.isEmpty()) return;
        const bool shown = !m_hidden;
        Forget();
        if (shown) Send({}, {});
    }
    void Forget()
    {
        m_shown.clear();
        m_candidate.clear();
        m_hidden = false;
    }

    QString m_mode = QStringLiteral("none");
    QString m_committed;
    QString m_shown, m_candidate;
    bool m_hidden = false;
    QPointer<QObject> m_focus;
};

class TFakeInputContextPlugin final : public QPlatformInputContextPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QPlatformInputContextFactoryInterface_iid FILE "FakeInputContext.json")

public:
    QPlatformInputContext* create(const QString& key, const QStringList&) override
    {
        if (key != QLatin1String("wrfakeim")) return nullptr;
        auto* context = new TFakeInputContext;
        if (QCoreApplication::instance())
            QCoreApplication::instance()->setProperty("wrFakeInputContext", QVariant::fromValue<QObject*>(context));
        return context;
    }
};

#include "FakeInputContext.moc"
