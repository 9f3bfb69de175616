#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace platform {

// One replaceable platform service: the program's own implementation, made on first use, unless
// a test has installed another. Installing nothing puts the program's own back.
template <typename Service>
class InstalledService {
public:
    explicit InstalledService(std::function<std::unique_ptr<Service>()> makeDefault)
        : m_makeDefault(std::move(makeDefault))
    {
    }

    Service &get()
    {
        if (!m_service)
            m_service = m_makeDefault();
        return *m_service;
    }

    // Installs service and returns the one it replaces.
    std::unique_ptr<Service> replace(std::unique_ptr<Service> service)
    {
        if (!service)
            service = m_makeDefault();
        get();
        m_service.swap(service);
        return service;
    }

private:
    std::function<std::unique_ptr<Service>()> m_makeDefault;
    std::unique_ptr<Service> m_service;
};

} // namespace platform
