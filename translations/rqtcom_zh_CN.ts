<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>LauncherDialog</name>
    <message>
        <source>EXIT</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>ManagerWindow</name>
    <message>
        <source>Serial ports belong to the group &quot;dialout&quot;. Add yourself to it with
    sudo usermod -aG dialout $USER
then log out and in again.</source>
        <translation>串口属于“dialout”用户组。请用以下命令把自己加入该组：
    sudo usermod -aG dialout $USER
然后注销并重新登录。</translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <source>Data Exchange Manager</source>
        <translation>数据交换管理器</translation>
    </message>
    <message>
        <source>Coordinate Editor</source>
        <translation>坐标编辑器</translation>
    </message>
</context>
</TS>
