#include "core/SObjectDefaultRegister.h"

#include "controls/SActiveX.h"
#include "controls/SAnimateImgWnd.h"
#include "controls/SButton.h"
#include "controls/SCheckBox.h"
#include "controls/SComboBox.h"
#include "controls/SComboView.h"
#include "controls/SEdit.h"
#include "controls/SFlashCtrl.h"
#include "controls/SGroup.h"
#include "controls/SHeaderCtrl.h"
#include "controls/SHotKeyCtrl.h"
#include "controls/SIconWnd.h"
#include "controls/SImageButton.h"
#include "controls/SImageWnd.h"
#include "controls/SLine.h"
#include "controls/SLink.h"
#include "controls/SListBox.h"
#include "controls/SListCtrl.h"
#include "controls/SListView.h"
#include "controls/SMCListView.h"
#include "controls/SMenuBar.h"
#include "controls/SPanel.h"
#include "controls/SProgress.h"
#include "controls/SRadioBox.h"
#include "controls/SRichEdit.h"
#include "controls/SScrollBar.h"
#include "controls/SScrollView.h"
#include "controls/SSliderBar.h"
#include "controls/SSpinButton.h"
#include "controls/SSpinButtonCtrl.h"
#include "controls/SSplitPane.h"
#include "controls/SSplitWnd.h"
#include "controls/SStatic.h"
#include "controls/STabCtrl.h"
#include "controls/STabPage.h"
#include "controls/STileView.h"
#include "controls/STreeView.h"
#include "controls/SToggle.h"
#include "controls/STreeCtrl.h"
#include "core/SCaption.h"
#include "core/SInterpolators.h"
#include "core/SObjectFactoryMgr.h"
#include "core/SRealWnd.h"
#include "core/SSkinButton.h"
#include "core/SSkinColorRect.h"
#include "core/SSkinGradation.h"
#include "core/SSkinGroup.h"
#include "core/SSkinImgFrame.h"
#include "core/SSkinScrollbar.h"
#include "core/SSkinShape.h"
#include "core/SWindow.h"
#include "layout/SGridLayout.h"
#include "layout/SLinearLayout.h"
#include "layout/SakuLayout.h"

// The registrar names classes of every part of the library (core's skins,
// windows and interpolators, the controls, the layout), so it sits above them all
// rather than in core, which must not reach up to what is built on it.

namespace SAKU {

// Each group registers its classes in this order, one line each; a class joins
// its group when it is written. A false answer means that a class registered
// earlier under the same key keeps its place, which is intended, or that memory
// ran out, which the factory manager logs.

void SObjectDefaultRegister::RegisterLayouts(SObjectFactoryMgr* factories)
{
    factories->RegisterFactoryOf<SakuLayout>();
    factories->RegisterFactoryOf<SLinearLayout>();
    factories->RegisterFactoryOf<SHBox>();
    factories->RegisterFactoryOf<SVBox>();
    factories->RegisterFactoryOf<SGridLayout>();
}

void SObjectDefaultRegister::RegisterSkins(SObjectFactoryMgr* factories)
{
    factories->RegisterFactoryOf<SSkinImgList>();
    factories->RegisterFactoryOf<SSkinImgFrame>();
    factories->RegisterFactoryOf<SSkinImgFrame2>();
    factories->RegisterFactoryOf<SSkinButton>();
    factories->RegisterFactoryOf<SSkinGradation>();
    factories->RegisterFactoryOf<SSkinScrollbar>();
    factories->RegisterFactoryOf<SSkinColorRect>();
    factories->RegisterFactoryOf<SSkinShape>();
    factories->RegisterFactoryOf<SSKinGroup>();
}

void SObjectDefaultRegister::RegisterWindows(SObjectFactoryMgr* factories)
{
    factories->RegisterFactoryOf<SWindow>();
    factories->RegisterFactoryOf<SStatic>();
    factories->RegisterFactoryOf<SButton>();
    factories->RegisterFactoryOf<SImageButton>();
    factories->RegisterFactoryOf<SLink>();
    factories->RegisterFactoryOf<SRealWnd>();
    factories->RegisterFactoryOf<SCaption>();
    factories->RegisterFactoryOf<STabCtrl>();
    factories->RegisterFactoryOf<STabPage>();
    factories->RegisterFactoryOf<SPanel>();
    factories->RegisterFactoryOf<SScrollView>();
    factories->RegisterFactoryOf<SListView>();
    factories->RegisterFactoryOf<SListBox>();
    factories->RegisterFactoryOf<STreeCtrl>();
    factories->RegisterFactoryOf<STileView>();
    factories->RegisterFactoryOf<STreeView>();
    factories->RegisterFactoryOf<SCheckBox>();
    factories->RegisterFactoryOf<SRadioBox>();
    factories->RegisterFactoryOf<SToggle>();
    factories->RegisterFactoryOf<SGroup>();
    factories->RegisterFactoryOf<SImageWnd>();
    factories->RegisterFactoryOf<SIconWnd>();
    factories->RegisterFactoryOf<SLine>();
    factories->RegisterFactoryOf<SProgress>();
    factories->RegisterFactoryOf<SAnimateImgWnd>();
    factories->RegisterFactoryOf<SHeaderCtrl>();
    factories->RegisterFactoryOf<SListCtrl>();
    factories->RegisterFactoryOf<SMCListView>();
    factories->RegisterFactoryOf<SRichEdit>();
    factories->RegisterFactoryOf<SEdit>();
    factories->RegisterFactoryOf<SSplitPane>();
    factories->RegisterFactoryOf<SSplitWnd>();
    factories->RegisterFactoryOf<SSplitWnd_Col>();
    factories->RegisterFactoryOf<SSplitWnd_Row>();
    factories->RegisterFactoryOf<SHotKeyCtrl>();
    factories->RegisterFactoryOf<SSliderBar>();
    factories->RegisterFactoryOf<SScrollBar>();
    factories->RegisterFactoryOf<SSpinButtonCtrl>();
    factories->RegisterFactoryOf<SSpinButton>();
    factories->RegisterFactoryOf<SActiveX>();
    factories->RegisterFactoryOf<SFlashCtrl>();
    factories->RegisterFactoryOf<SMenuBar>();
    factories->RegisterFactoryOf<SComboBox>();
    factories->RegisterFactoryOf<SComboView>();
}

void SObjectDefaultRegister::RegisterInterpolators(SObjectFactoryMgr* factories)
{
    factories->RegisterFactoryOf<SLinearInterpolator>();
    factories->RegisterFactoryOf<SAccelerateInterpolator>();
    factories->RegisterFactoryOf<SDecelerateInterpolator>();
    factories->RegisterFactoryOf<SAccelerateDecelerateInterpolator>();
    factories->RegisterFactoryOf<SAnticipateInterpolator>();
    factories->RegisterFactoryOf<SAnticipateOvershootInterpolator>();
    factories->RegisterFactoryOf<SBounceInterpolator>();
    factories->RegisterFactoryOf<SCycleInterpolator>();
    factories->RegisterFactoryOf<SOvershootInterpolator>();
}

}  // namespace SAKU
