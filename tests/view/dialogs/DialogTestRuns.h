#pragma once

// Each test file runs its own QtTest object; the count of failed functions comes back.
int RunFindReplaceDlgTests(int argc, char** argv);
int RunSmallDialogsTests(int argc, char** argv);
int RunRenameWizardTests(int argc, char** argv);
