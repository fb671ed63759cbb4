#include "core/mail/smtp_client.h"

// A build made without libcurl (the Windows cross build: Debian has no libcurl
// for mingw) cannot speak SMTP. Every send ends at once with the reason, so
// the mail dialogs and the delivery timer report it like any other failure.
#if !defined(QUINDLE_HAVE_CURL)

namespace quindle::mail {

void SendMail(const SmtpAccount&, std::string_view, std::string_view, std::string_view,
              SendObserver& observer, const std::atomic<bool>*) {
    observer.OnSendEvent({SendEvent::Kind::kAnyError, 0, 0,
                          "この版はメールを送信できません (libcurl なしで作られています)"});
}

}  // namespace quindle::mail

#endif  // !QUINDLE_HAVE_CURL
