// Polls the local assist for its state and shows it on the management page.
window.addEventListener("load", function () {
  var status = document.getElementById("status");
  fetch("/api/status")
    .then(function (reply) { return reply.json(); })
    .then(function (state) { status.textContent = state.running ? "运行中" : "已停止"; })
    .catch(function () { status.textContent = "无法连接到服务"; });
});
