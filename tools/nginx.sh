# Sourced by the benchmarks that download, tools/run and its test: serves a
# folder over loopback with Debian's nginx, a static server with exact HEAD
# lengths and byte ranges that is never the slow side of a benchmark. The server
# runs from a configuration of its own in a temporary folder (no system service)
# and ends with the script that started it.
#
#   nginx_start ROOT_FOLDER [ACCESS_LOG]
#                              starts it; sets nginx_url to "http://127.0.0.1:PORT/";
#                              with ACCESS_LOG, every request is logged there with
#                              its Range header, the status and the body bytes sent
#   nginx_stop                 ends it (safe to call when it did not start)
#   nginx_halt                 ends it at once, cutting the transfers under way,
#                              and keeps its configuration and port
#   nginx_resume               starts a halted server again on the same port, as
#                              the addresses already given out name it
#
# nginx_server_extra, set before nginx_start, holds directives added to the
# server block (a slow location for a test that needs a transfer under way).

nginx_pid=
nginx_dir=
nginx_url=
nginx_server_extra=

# Installs nginx from Debian when it is missing (as root), without starting the
# system's service: the package's scripts would try to.
nginx_ensure() {
    command -v nginx > /dev/null && return
    if [[ $(id -u) -ne 0 ]]; then
        echo "nginx is missing: apt-get install nginx-light (as root)" >&2
        return 1
    fi
    echo "installing nginx-light from Debian" >&2
    local install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends nginx-light)
    # A package list too old to name it is brought up to date once.
    "${install[@]}" > /dev/null || { apt-get update -q > /dev/null && "${install[@]}" > /dev/null; } || return 1
    # A machine with an init system got the service started: the benchmark runs its own.
    if command -v systemctl > /dev/null && systemctl is-active --quiet nginx 2> /dev/null; then
        systemctl stop nginx
        systemctl disable --quiet nginx 2> /dev/null || true
    fi
}

nginx_config() {   # nginx_config ROOT PORT [ACCESS_LOG]
    # As root the master hands the requests to workers of another user, which
    # may not read a private temporary folder; they keep root's rights instead.
    [[ $(id -u) -eq 0 ]] && echo "user root;"
    cat <<EOF
worker_processes 2;
daemon off;
pid $nginx_dir/nginx.pid;
error_log $nginx_dir/error.log warn;
events { worker_connections 256; }
http {
$(nginx_access_log "${3:-}")
    default_type application/octet-stream;
    sendfile on;
    tcp_nopush on;
    keepalive_timeout 30;
    client_body_temp_path $nginx_dir/body;
    proxy_temp_path $nginx_dir/proxy;
    fastcgi_temp_path $nginx_dir/fastcgi;
    uwsgi_temp_path $nginx_dir/uwsgi;
    scgi_temp_path $nginx_dir/scgi;
    server {
        listen 127.0.0.1:$2;
        root $1;
        location = /.bench-nginx-token { alias $nginx_dir/token; access_log off; }
$nginx_server_extra
    }
}
EOF
}

# A benchmark logs nothing: the log would be written while it measures.
nginx_access_log() {   # nginx_access_log [FILE]
    if [[ -z $1 ]]; then
        echo "    access_log off;"
        return
    fi
    echo "    log_format ranges '\$request \"\$http_range\" \$status \$body_bytes_sent';"
    echo "    access_log $1 ranges;"
}

nginx_start() {   # nginx_start ROOT [ACCESS_LOG]
    local root=$1 log=${2:-} port attempt
    nginx_ensure || return 1
    nginx_dir=$(mktemp -d "${TMPDIR:-/tmp}/bench-nginx.XXXXXX")
    # Answered only by this server: another program on the chosen port is not taken for it.
    echo "$nginx_dir" > "$nginx_dir/token"
    # A free port: a random one is tried, and another when nginx cannot bind it.
    for attempt in $(seq 20); do
        port=$((20000 + RANDOM % 20000))
        nginx_config "$root" "$port" "$log" > "$nginx_dir/nginx.conf"
        nginx_launch "$port" && return 0
    done
    echo "nginx did not start:" >&2
    tail -n 5 "$nginx_dir/start.log" "$nginx_dir/error.log" >&2 2> /dev/null
    return 1
}

# Starts nginx from the configuration in nginx_dir and waits until it answers on PORT.
nginx_launch() {   # nginx_launch PORT
    local port=$1 i
    nginx -e "$nginx_dir/error.log" -p "$nginx_dir" -c "$nginx_dir/nginx.conf" 2>> "$nginx_dir/start.log" &
    nginx_pid=$!
    for i in $(seq 100); do
        if [[ $(curl -s --max-time 1 "http://127.0.0.1:$port/.bench-nginx-token") == "$nginx_dir" ]]; then
            nginx_url="http://127.0.0.1:$port/"
            return 0
        fi
        kill -0 "$nginx_pid" 2> /dev/null || break
        sleep 0.05
    done
    kill "$nginx_pid" 2> /dev/null
    wait "$nginx_pid" 2> /dev/null
    nginx_pid=
    return 1
}

nginx_halt() {
    [[ -n $nginx_pid ]] || return 0
    # TERM is nginx's fast shutdown: open connections are closed, not finished.
    kill "$nginx_pid" 2> /dev/null
    wait "$nginx_pid" 2> /dev/null
    nginx_pid=
    return 0
}

nginx_resume() {
    [[ -n $nginx_dir && -z $nginx_pid ]] || return 1
    local port=${nginx_url%/}
    port=${port##*:}
    # The port was nginx's a moment ago; it may linger in the system for a while.
    local attempt
    for attempt in $(seq 20); do
        nginx_launch "$port" && return 0
        sleep 0.5
    done
    echo "nginx did not start again on port $port:" >&2
    tail -n 5 "$nginx_dir/start.log" "$nginx_dir/error.log" >&2 2> /dev/null
    return 1
}

nginx_stop() {
    if [[ -n $nginx_pid ]]; then
        kill "$nginx_pid" 2> /dev/null   # the master ends its workers and waits for them
        wait "$nginx_pid" 2> /dev/null
        nginx_pid=
    fi
    [[ -n $nginx_dir ]] && rm -rf "$nginx_dir"
    nginx_dir=
}
