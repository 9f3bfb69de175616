#include "doubles/QuietMessageBoxes.h"

platform::Answer QuietMessageBoxes::show(const platform::MessageBoxRequest &request)
{
    ++m_count;
    switch (request.buttons) {
    case platform::Buttons::YesNo:
    case platform::Buttons::YesNoCancel:
        return platform::Answer::Yes;
    case platform::Buttons::OK:
    case platform::Buttons::OKCancel:
        break;
    }
    return platform::Answer::OK;
}

QuietMessageBoxes &QuietMessageBoxes::installed()
{
    static QuietMessageBoxes *boxes = [] {
        auto service = std::make_unique<QuietMessageBoxes>();
        QuietMessageBoxes *installed = service.get();
        platform::setMessageBoxService(std::move(service));
        return installed;
    }();
    return *boxes;
}
