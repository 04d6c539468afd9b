// Run-time class information: what a class reports and how IsKindOf follows
// the chain of bases.
#include "framework/ListCtrl.h"
#include "tests/framework/ProbeDialog.h"

#include <gtest/gtest.h>

namespace {

// A dialog with run-time class information of its own and a member that
// makes it larger than its base.
class CSketch : public CDialog
{
    DECLARE_DYNAMIC(CSketch)

public:
    CSketch() : CDialog(0) { }

    int m_nStrokes = 0;
};

IMPLEMENT_DYNAMIC(CSketch, CDialog)

TEST(RuntimeClass, ClassesReportNameSizeSchemaAndBase)
{
    const CRuntimeClass* dialog = RUNTIME_CLASS(CDialog);
    EXPECT_STREQ("CDialog", dialog->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CDialog)), dialog->m_nObjectSize);
    EXPECT_EQ(RUNTIME_CLASS(CWnd), dialog->m_pBaseClass);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);

    const CRuntimeClass* sketch = RUNTIME_CLASS(CSketch);
    EXPECT_STREQ("CSketch", sketch->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CSketch)), sketch->m_nObjectSize);
    EXPECT_NE(sketch->m_nObjectSize, dialog->m_nObjectSize);
    EXPECT_EQ(0xFFFFu, sketch->m_wSchema);
    EXPECT_EQ(dialog, sketch->m_pBaseClass);
}

TEST(RuntimeClass, IsKindOfFollowsTheBases)
{
    const CSketch sketch;
    EXPECT_EQ(RUNTIME_CLASS(CSketch), sketch.GetRuntimeClass());
    for (const CRuntimeClass* base : {RUNTIME_CLASS(CDialog), RUNTIME_CLASS(CWnd), RUNTIME_CLASS(CObject)})
        EXPECT_TRUE(sketch.IsKindOf(base)) << "CSketch is a " << base->m_lpszClassName;

    EXPECT_FALSE(CWnd().IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_FALSE(CDialog(0).IsKindOf(RUNTIME_CLASS(CSketch)));
    EXPECT_FALSE(CListCtrl().IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_EQ(RUNTIME_CLASS(CDialog), CProbeDialog().GetRuntimeClass())
        << "a class without information of its own reports its nearest base's";
}

} // namespace
