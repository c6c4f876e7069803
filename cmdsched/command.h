#ifndef COMMAND_H
#define COMMAND_H

#include "cmdsched_global.h"

#include <QByteArray>
#include <QObject>
#include <QSharedPointer>
#include <QVariant>

// One message for the instrument with its delivery settings. A command is
// filled in before it is queued and only read afterwards, so its fields are
// not locked. Commands travel as QSharedPointer<Command>.
class CMDSCHED_EXPORT Command : public QObject
{
    Q_OBJECT
public:
    // How long the pump waits for an answer to a command made with the
    // parent-only constructor when nobody calls setTimeout(): long enough for
    // any instrument to answer, short enough that a forgotten command neither
    // blocks the pump for good nor makes it spin.
    static constexpr int DefaultTimeoutMs = 1000;

    explicit Command(QObject *parent = nullptr);
    Command(QByteArray content, bool needResponse, int timeout, QVariant remark);
    ~Command() override;

    QByteArray content() const;
    void setContent(const QByteArray &content);
    bool needResponse() const;
    void setNeedResponse(bool needResponse);
    int timeout() const;
    void setTimeout(int timeout);
    QVariant remark() const;
    void setRemark(const QVariant &remark);

private:
    QByteArray m_content;
    bool m_needResponse = false;
    int m_timeout = DefaultTimeoutMs;
    QVariant m_remark;
};

Q_DECLARE_METATYPE(QSharedPointer<Command>)

#endif // COMMAND_H
