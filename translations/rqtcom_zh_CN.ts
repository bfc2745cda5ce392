<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>FileCommit</name>
    <message>
        <source>the file was not open for writing</source>
        <translation>文件未以写入方式打开</translation>
    </message>
    <message>
        <source>the data could not be written</source>
        <translation>数据无法写入</translation>
    </message>
</context>
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
<context>
    <name>QtSerialLink</name>
    <message>
        <source>no serial port number %1 is present</source>
        <translation>不存在编号为 %1 的串口</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>the port is not open</source>
        <translation>端口未打开</translation>
    </message>
    <message>
        <source>the device was unplugged or closed</source>
        <translation>设备已拔出或已关闭</translation>
    </message>
    <message>
        <source>the device could not be read; it may have been unplugged</source>
        <translation>无法从设备读取，设备可能已拔出</translation>
    </message>
    <message>
        <source>the device could not be written to; it may have been unplugged</source>
        <translation>无法向设备写入，设备可能已拔出</translation>
    </message>
    <message>
        <source>the connection on %1 was lost (%2)</source>
        <translation>%1 上的连接已断开（%2）</translation>
    </message>
</context>
</TS>
