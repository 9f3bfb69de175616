#pragma once

#include "doubles/FakeRegistry.h"
#include "doubles/RecordingProgramStarter.h"
#include "doubles/RecordingUrlOpener.h"

#include <memory>

// Replaces the registry, the program starter and the browser with test doubles for its
// lifetime, so that no test reads the real registry, starts a program or opens a browser.
// Create it in init() beside the TestEnvironment and destroy it in cleanup().
class FakeSystemServices {
public:
    FakeSystemServices()
    {
        auto registry = std::make_unique<platform::FakeRegistry>();
        m_registry = registry.get();
        m_previousRegistry = platform::setRegistry(std::move(registry));
        auto starter = std::make_unique<platform::RecordingProgramStarter>();
        m_starter = starter.get();
        m_previousStarter = platform::setProgramStarter(std::move(starter));
        auto opener = std::make_unique<platform::RecordingUrlOpener>();
        m_opener = opener.get();
        m_previousOpener = platform::setUrlOpener(std::move(opener));
    }
    ~FakeSystemServices()
    {
        platform::setRegistry(std::move(m_previousRegistry));
        platform::setProgramStarter(std::move(m_previousStarter));
        platform::setUrlOpener(std::move(m_previousOpener));
    }
    FakeSystemServices(const FakeSystemServices &) = delete;
    FakeSystemServices &operator=(const FakeSystemServices &) = delete;

    platform::FakeRegistry &registry() { return *m_registry; }
    platform::RecordingProgramStarter &starter() { return *m_starter; }
    platform::RecordingUrlOpener &browser() { return *m_opener; }

private:
    platform::FakeRegistry *m_registry = nullptr;
    platform::RecordingProgramStarter *m_starter = nullptr;
    platform::RecordingUrlOpener *m_opener = nullptr;
    std::unique_ptr<platform::Registry> m_previousRegistry;
    std::unique_ptr<platform::ProgramStarter> m_previousStarter;
    std::unique_ptr<platform::UrlOpener> m_previousOpener;
};
