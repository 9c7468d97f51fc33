<SCRIPT language="JavaScript">
<!--
// Сообщает посетителю размер окна его браузера.
var width = window.innerWidth || document.body.clientWidth;
var height = window.innerHeight || document.body.clientHeight;
document.write("Размер окна Вашего браузера: " + width + " x " + height + " точек.");
//-->
</SCRIPT>
