// Run-time class information: what a class reports and how IsKindOf follows
// the chain of bases.
#include "about/Egg.h"
#include "framework/ListCtrl.h"
#include "tests/framework/ProbeDialog.h"

#include <gtest/gtest.h>

namespace {

TEST(RuntimeClass, ClassesReportNameSizeSchemaAndBase)
{
    const CRuntimeClass* dialog = RUNTIME_CLASS(CDialog);
    EXPECT_STREQ("CDialog", dialog->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CDialog)), dialog->m_nObjectSize);
    EXPECT_EQ(RUNTIME_CLASS(CWnd), dialog->m_pBaseClass);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);

    const CRuntimeClass* egg = RUNTIME_CLASS(CEgg);
    EXPECT_STREQ("CEgg", egg->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CDialog)), egg->m_nObjectSize);
    EXPECT_EQ(0xFFFFu, egg->m_wSchema);
    EXPECT_EQ(dialog, egg->m_pBaseClass);
}

TEST(RuntimeClass, IsKindOfFollowsTheBases)
{
    const CEgg egg;
    EXPECT_EQ(RUNTIME_CLASS(CEgg), egg.GetRuntimeClass());
    for (const CRuntimeClass* base : {RUNTIME_CLASS(CDialog), RUNTIME_CLASS(CWnd), RUNTIME_CLASS(CObject)})
        EXPECT_TRUE(egg.IsKindOf(base)) << "CEgg is a " << base->m_lpszClassName;

    EXPECT_FALSE(CWnd().IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_FALSE(CDialog(0).IsKindOf(RUNTIME_CLASS(CEgg)));
    EXPECT_FALSE(CListCtrl().IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_EQ(RUNTIME_CLASS(CDialog), CProbeDialog().GetRuntimeClass())
        << "a class without information of its own reports its nearest base's";
}

} // namespace
