#pragma once

// What the installer's tests share: the application as the installer's start-up
// makes it (its scroll-bar skin class, its named ids, its own resources, which
// are the test program's, and its UI definition), with the host-window helpers
// of the UI library's tests.

#include "HostTest.h"

#include "NamedIds.h"
#include "SSkinNewScrollbar.h"

#include "core/SObjectFactory.h"

namespace installer_test {

class InstallerTest : public saku_test::HostTest {
protected:
    void SetUp() override
    {
        // Not HostTest's: the skin class and the ids must be known before the UI
        // definition loads the skins and before layouts name elements.
        saku_test::SakuAppTest::SetUp();
        ASSERT_TRUE(SAKU::InitLayeredWindowApi());
        ASSERT_TRUE(App().RegisterFactory(SAKU::TplSObjectFactory<SSkinNewScrollbar>(), false));
        App().InitNamedIDs(kNamedIds.data(), static_cast<int>(kNamedIds.size()), true);
        AddProgramResources(L"uidef:xml_init");
    }
};

}  // namespace installer_test
