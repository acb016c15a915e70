#pragma once

// A small HTTP server on the loopback address that stands in for the update server:
// canned replies by path, and replies that are held back, never come, end early or are
// web pages, so every way a real server can answer is reproduced without leaving the
// machine.

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <functional>

class UpdateServer : public QObject
{
public:
    enum class Mode {
        Answer,    // the whole reply at once
        Hold,      // kept until release() is called for the path
        Silent,    // the request is read, nothing ever comes back
        Truncated, // announces the whole length, sends half and closes
        Slow,      // the body in slowPieces pieces, one every slowPieceMs
    };
    static constexpr int slowPieces = 20;
    static constexpr int slowPieceMs = 150;
    struct Reply
    {
        int status = 200;
        QByteArray contentType = "text/xml";
        QByteArray body;
        Mode mode = Mode::Answer;
    };

    UpdateServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        m_server.listen(QHostAddress::LocalHost);
    }

    QUrl base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort())); }
    void setReply(const QString& path, const Reply& reply) { m_replies[path] = reply; }
    // The targets (path and query, as sent) of every request, in order.
    QList<QByteArray> requests;
    // Called as each request arrives.
    std::function<void()> onRequest;

    void release(const QString& path)
    {
        const auto held = m_held.values(path);
        m_held.remove(path);
        for (const QPointer<QTcpSocket>& socket : held)
            if (socket)
                send(socket, m_replies.value(path));
    }

private:
    void readRequest(QTcpSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        const QByteArray target = buffer.split(' ').value(1);
        m_buffers.remove(socket);
        requests << target;
        if (onRequest)
            onRequest();
        const QString path = QUrl::fromEncoded(target).path();
        const Reply reply = m_replies.value(path, Reply{404, "text/html", "<html><body>Not found</body></html>"});
        if (reply.mode == Mode::Hold)
            m_held.insert(path, socket);
        else if (reply.mode != Mode::Silent)
            send(socket, reply);
    }

    void send(QTcpSocket* socket, const Reply& reply)
    {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\nContent-Type: "
                          + reply.contentType + "\r\nContent-Length: " + QByteArray::number(reply.body.size())
                          + "\r\nConnection: close\r\n\r\n";
        if (reply.mode == Mode::Slow) {
            socket->write(head);
            sendPiece(socket, reply.body, 0);
            return;
        }
        const QByteArray body = reply.mode == Mode::Truncated ? reply.body.left(reply.body.size() / 2) : reply.body;
        socket->write(head + body);
        socket->flush();
        socket->disconnectFromHost();
    }

    // Piece i of a slow reply, slowPieceMs after the one before; the last closes the
    // connection. Each piece is timed from the one before rather than all from the start:
    // timers of two seconds or more are coarse, and pieces timed from the start could
    // then go out of order, and the close before the last of them.
    void sendPiece(QTcpSocket* socket, const QByteArray& body, int i)
    {
        QTimer::singleShot(slowPieceMs, Qt::PreciseTimer, socket, [this, socket, body, i] {
            const qsizetype piece = body.size() / slowPieces + 1;
            socket->write(body.mid(i * piece, piece));
            if (i == slowPieces - 1)
                socket->disconnectFromHost();
            else
                sendPiece(socket, body, i + 1);
        });
    }

    QTcpServer m_server;
    QHash<QString, Reply> m_replies;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QMultiHash<QString, QPointer<QTcpSocket>> m_held;
};
