#include "Log.h"

namespace korvo {

Q_LOGGING_CATEGORY(lcKorvo, "korvo", QtWarningMsg)

} // namespace korvo
