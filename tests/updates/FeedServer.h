#pragma once

// A tiny HTTP server on 127.0.0.1 for update checks: it answers each path with a fixed status and
// body, holds a request until told to answer, or accepts and never answers.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace velmora::test {

class FeedServer : public QObject {
public:
    enum class Mode { answer, hold, silent };

    struct Route {
        int status = 200;
        QByteArray body;
        Mode mode = Mode::answer;
    };

    FeedServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        });
    }

    bool isListening() const { return m_server.isListening(); }
    QUrl url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }

    void route(const QByteArray &path, Route route) { m_routes.insert(path, std::move(route)); }
    /// Answers the requests held so far as their routes say.
    void release()
    {
        const QList<QPointer<QTcpSocket>> held = std::exchange(m_held, {});
        for (const QPointer<QTcpSocket> &socket : held)
            if (socket)
                respond(socket, m_routes.value(m_heldPaths.value(socket.data())));
    }
    int requests() const { return m_requests; }

private:
    void read(QTcpSocket *socket)
    {
        m_buffers[socket] += socket->readAll();
        const QByteArray &buffer = m_buffers[socket];
        if (!buffer.contains("\r\n\r\n"))
            return;
        ++m_requests;
        const QByteArray path = buffer.left(buffer.indexOf("\r\n")).split(' ').value(1);
        const Route route = m_routes.value(path, Route{404, "not here"});
        if (route.mode == Mode::silent)
            return;
        if (route.mode == Mode::hold) {
            m_held << socket;
            m_heldPaths.insert(socket, path);
            return;
        }
        respond(socket, route);
    }

    static void respond(QTcpSocket *socket, const Route &route)
    {
        QByteArray response = "HTTP/1.1 " + QByteArray::number(route.status) + " Status\r\n";
        response += "Content-Type: application/rss+xml\r\n";
        response += "Content-Length: " + QByteArray::number(route.body.size()) + "\r\n";
        response += "Connection: close\r\n\r\n";
        response += route.body;
        socket->write(response);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QByteArray, Route> m_routes;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QHash<QTcpSocket *, QByteArray> m_heldPaths;
    QList<QPointer<QTcpSocket>> m_held;
    int m_requests = 0;
};

} // namespace velmora::test
