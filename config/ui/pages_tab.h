// The Pages tab: the page list, the page editors, and the Launcher editor's
// list of files.
#pragma once

// The page list's rows from the model's pages, its column fitted.
void FillPageList();
void OpenPageEditor(int row);
void CommitPageEditor();
void MovePage(int delta);
void RebuildPagesFromList();
void OnPageListChanged(int item);

void EditLauncherFile(int row);
void AddLauncherFile();
void RemoveLauncherFile();
void MoveLauncherFile(int delta);
void CommitLauncherFile();
