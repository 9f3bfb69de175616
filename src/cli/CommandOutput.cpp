#include "cli/CommandOutput.h"

#include "core/base/AppInfo.h"

#include <utility>

namespace cli {

void CommandOutput::say(const QString &message) const
{
    err << app::appTitle() << ": " << message << '\n';
    err.flush();
}

void CommandOutput::sayAll(const QStringList &messages) const
{
    for (const QString &message : messages)
        say(message);
}

class CollectedMessages::Service : public platform::MessageBoxService {
public:
    platform::Answer show(const platform::MessageBoxRequest &request) override
    {
        QString text = request.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        m_texts.append(text);
        return platform::firstButton(request.buttons);
    }

    QStringList take() { return std::exchange(m_texts, {}); }

private:
    QStringList m_texts;
};

CollectedMessages::CollectedMessages()
{
    auto service = std::make_unique<Service>();
    m_service = service.get();
    m_previous = platform::setMessageBoxService(std::move(service));
}

CollectedMessages::~CollectedMessages()
{
    platform::setMessageBoxService(std::move(m_previous));
}

QStringList CollectedMessages::take()
{
    return m_service->take();
}

} // namespace cli
