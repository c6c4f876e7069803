#ifndef LCDSTATE_H
#define LCDSTATE_H

// The state of the emulated tester display: which controls (segments, points,
// bars, annunciators, images) are lit and what each digit label shows. The
// form decodes a frame into a copy of this state and swaps the copy in, so
// the panel is repainted once per frame from a complete state.

#include <QHash>
#include <QString>
#include <QStringList>

class LcdState
{
public:
    LcdState(); // the display as the form shows it before the first frame

    bool isLit(const QString &name) const;
    void setLit(const QString &name, bool lit);
    QString caption(const QString &name) const;
    void setCaption(const QString &name, const QString &caption);

    // The controls darkened by DispInit, in their usual order.
    static const QStringList &dispInitNames();
    // The thirteen digit labels; they keep their captions across frames.
    static const QStringList &digitNames();
    // Every control the state knows.
    static const QStringList &allNames();
    static bool isKnown(const QString &name);

    bool operator==(const LcdState &other) const;
    bool operator!=(const LcdState &other) const { return !(*this == other); }

private:
    QHash<QString, bool> m_lit;
    QHash<QString, QString> m_caption;
};

#endif // LCDSTATE_H
