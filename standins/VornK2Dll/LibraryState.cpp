#include "LibraryState.h"

LibraryState& LibraryState::Instance()
{
    static LibraryState state;
    return state;
}

void LibraryState::Bind(S_ECR_SETTING* settings, CCaptionManagerBase** captionHolder)
{
    m_settings = settings;
    m_captionHolder = captionHolder;
}
