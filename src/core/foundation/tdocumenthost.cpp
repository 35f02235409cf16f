#include "tdocumenthost.h"

TMessageResult TDocumentHost::ShowMessage(const QString&, const QString&, TMessageIcon,
                                          TMessageButtons buttons) {
    switch (buttons) {
    case TMessageButtons::YesNo:
    case TMessageButtons::YesNoCancel:
        return TMessageResult::Yes;
    case TMessageButtons::Ok:
    case TMessageButtons::OkCancel:
        break;
    }
    return TMessageResult::Ok;
}

TDocumentHost& TDocumentHost::Null() {
    static TDocumentHost host;
    return host;
}
