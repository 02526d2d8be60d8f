<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>全部解冻</source>
        <translation>Разморозить все</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>подсказка</translation>
    </message>
    <message>
        <source>消息</source>
        <translation>сообщение</translation>
    </message>
    <message>
        <source>超出%1X%2分辨率</source>
        <translation>Превышение разрешения %1X%2</translation>
    </message>
    <message>
        <source>起始位置不能大于结束位置！</source>
        <translation>Начальная позиция не может быть больше конечной позиции!</translation>
    </message>
    <message>
        <source>结束位置不能大于输入源分辨率(%1x%2)！</source>
        <translation>Конечная позиция не может быть больше, чем разрешение входного источника(%1x%2)!</translation>
    </message>
    <message>
        <source>结束位置不能大于输入源分辨率(%1x%2) ！</source>
        <translation>Конечная позиция не может быть больше, чем разрешение входного источника(%1x%2) ！</translation>
    </message>
    <message>
        <source>确定要重置吗？</source>
        <translation>Вы уверены, что хотите выполнить сброс?</translation>
    </message>
    <message>
        <source>请稍等(7/%1)</source>
        <translation>Пожалуйста, подождите (7/%1)</translation>
    </message>
    <message>
        <source>行列的乘积不能大于9</source>
        <translation>Произведение строк и столбцов не может превышать 9</translation>
    </message>
    <message>
        <source>更改完成，请手动重启VEXOR-W4PRO！</source>
        <translation>Изменения завершены, пожалуйста, выполните ручную перезагрузку устройства.</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>Загрузка...</translation>
    </message>
    <message>
        <source>保存成功！</source>
        <translation>Сохранено успешно!</translation>
    </message>
    <message>
        <source>请输入%1到%2之间的数值</source>
        <translation>Введите значение от %1 до %2</translation>
    </message>
    <message>
        <source>恢复成功，请手动重启设备！</source>
        <translation>Перезагрузка устройства вручную, пожалуйста!</translation>
    </message>
</context>
</TS>
